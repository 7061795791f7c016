#!/usr/bin/env bash
# Builds the Debian package build-deb/tovel_<version>-<revision>_amd64.deb with Debian's build
# flags and checks it, never on this machine itself:
#  - lintian: no error and no warning (the tags the package answers for are explained in
#    data/tovel.lintian-overrides);
#  - in a throwaway Debian 12 tree: debootstrap --variant=minbase makes build-deb/bookworm once,
#    and every run checks a fresh copy of it. There the package is installed with apt-get as a
#    new user installs it; then come the installed layout, ldd of every program, the desktop
#    entry, the AppStream file and the manual pages, the programs run by a new user (tovel /L, a
#    first paint, a save on SIGTERM, tovel-suntable) and by root (the installed files unchanged),
#    and the package's removal.
# Each check prints its real exit status; the script ends with status 1 if any check failed.
# The tree needs root (or sudo); the packages it installs are fetched from this machine's
# Debian mirror and kept in build-deb/apt-cache for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "The Debian tree needs root: run this as root, or install sudo." >&2
    exit 1
  fi
  sudo=(sudo)
fi
missing=()
for p in lintian debootstrap; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "${missing[@]}"
fi

build=build-deb
# Debian's flags (optimisation, hardening), as a Debian build of the package has them.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DTOVEL_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j 2
rm -f "$build"/tovel_*.deb
(cd "$build" && cpack -G DEB)
deb=$(realpath "$build"/tovel_*_amd64.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Maintainer Depends
dpkg-deb --contents "$deb" | awk '{print $1, $2, $6, $7, $8}'

failed=0
# check WHAT COMMAND...: runs the command and reports its exit status.
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    local status=$?
    echo "FAILED (exit status $status): $what"
    failed=$((failed + 1))
  fi
}

echo "== lintian"
check "lintian: no error, no warning" lintian --display-info --fail-on error,warning "$deb"

echo "== a fresh Debian 12 tree"
base=$build/bookworm
if [ ! -x "$base/usr/bin/apt-get" ]; then
  # This machine's mirror of Debian's main archive (debootstrap's own default without one).
  mirror=$(apt-cache policy | awk '$3 == "bookworm/main" {print $2; exit}')
  "${sudo[@]}" rm -rf "$base.new"
  "${sudo[@]}" debootstrap --variant=minbase bookworm "$base.new" $mirror >/dev/null
  "${sudo[@]}" mv "$base.new" "$base"
fi
scratch=$(mktemp -d)
root=$scratch/root
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    "${sudo[@]}" umount -R "${mounted[i]}" || true
  done
  # Never into a file system still mounted there (--one-file-system), and not at all if one is.
  if ! grep -q " $root/" /proc/mounts; then
    "${sudo[@]}" rm -rf --one-file-system "$scratch"
  else
    echo "left $scratch: something is still mounted in it" >&2
  fi
}
trap cleanup EXIT
"${sudo[@]}" cp -a "$base" "$root"
"${sudo[@]}" mount -t proc proc "$root/proc" && mounted+=("$root/proc")
for fs in sys dev; do
  "${sudo[@]}" mount --rbind "/$fs" "$root/$fs" && mounted+=("$root/$fs")
  "${sudo[@]}" mount --make-rslave "$root/$fs"
done
"${sudo[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"
"${sudo[@]}" cp "$deb" "$root/tmp/"
mkdir -p "$build/apt-cache"
"${sudo[@]}" find "$build/apt-cache" -name '*.deb' -exec cp -t "$root/var/cache/apt/archives" {} +
in_tree() {
  "${sudo[@]}" chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    XDG_RUNTIME_DIR=/run/user/0 "$@"
}
# As a user of the tree with a home of its own, as on a desktop (no display: offscreen).
as_user() {
  "${sudo[@]}" chroot --userspec=tester:tester "$root" env -i PATH=/usr/bin:/bin \
    HOME=/home/tester XDG_RUNTIME_DIR=/run/user/1000 QT_QPA_PLATFORM=offscreen \
    TOVEL_UNATTENDED=1 "$@"
}

install_package() {
  in_tree apt-get update -qq || return
  local status=0
  DEBIAN_FRONTEND=noninteractive in_tree apt-get install -y -qq "/tmp/$(basename "$deb")" \
    >"$scratch/apt.log" 2>&1 || status=$?
  ((status == 0)) || tail -n 30 "$scratch/apt.log"
  return $status
}
check "apt-get installs the package and what it depends on" install_package
in_tree install -d -m 700 /run/user/0
"${sudo[@]}" find "$root/var/cache/apt/archives" -name '*.deb' -exec cp -t "$build/apt-cache" {} +
in_tree useradd --create-home --uid 1000 tester
in_tree install -d -m 700 -o tester -g tester /run/user/1000

echo "== the installed files"
layout() {
  [ "$(readlink "$root/usr/bin/tovel")" = ../lib/tovel/tovel ] &&
    [ "$(readlink "$root/usr/bin/tovel-suntable")" = ../lib/tovel/tovel-suntable ] &&
    [ "$(ls "$root/usr/lib/tovel" | xargs)" = "tovel tovel-suntable tovel-window" ] &&
    [ -f "$root/usr/share/tovel/RHDates.Tvl" ] &&
    [ "$(ls "$root"/usr/share/tovel/*.sun | wc -l)" -eq 8 ] &&
    [ -f "$root/usr/share/doc/tovel/copyright" ] &&
    gzip -t "$root/usr/share/doc/tovel/changelog.Debian.gz" \
      "$root"/usr/share/man/man1/tovel{,-suntable}.1.gz
}
check "programs in /usr/lib/tovel, linked from /usr/bin; data in /usr/share/tovel; documents" \
  layout
echo "ldd of every program:"
for program in "$root"/usr/lib/tovel/*; do
  libraries=$(in_tree ldd "/usr/lib/tovel/${program##*/}")
  echo "  ${program##*/}: $(echo "$libraries" | grep -c '=>') libraries," \
    "$(echo "$libraries" | grep -o 'libc\.so\.6 => [^ ]*')"
  check "${program##*/}: every library found, the C library shared" \
    sh -c '! echo "$0" | grep -q "not found" && echo "$0" | grep -q "libc\.so\.6 => /"' \
    "$libraries"
done
check "desktop entry valid" desktop-file-validate \
  "$root/usr/share/applications/org.tovel.Tovel.desktop"
check "AppStream file valid" appstreamcli validate --no-net \
  "$root/usr/share/metainfo/org.tovel.Tovel.metainfo.xml"
manual_pages() {
  for page in tovel tovel-suntable; do
    [ -z "$(gzip -dc "$root/usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)" ] || return 1
  done
}
check "manual pages without a groff warning" manual_pages

echo "== run by a new user"
check "tovel /L" as_user tovel /L
first_paint() { as_user env TOVEL_EXIT_AFTER_PAINT=1 tovel | grep -q '^painted '; }
check "tovel: a first paint of the window" first_paint
# Starts the window (by USER, as_user or in_tree), ends it with SIGTERM once it handles the
# signal, as a session's end does, and waits for it; it saves its settings then.
window_until_sigterm() {
  local by=$1 pidfile=$root/tmp/tovel.pid
  "${sudo[@]}" rm -f "$pidfile"
  "$by" env QT_QPA_PLATFORM=offscreen sh -c 'echo $$ > /tmp/tovel.pid; exec tovel' &
  local job=$! pid=""
  for _ in $(seq 300); do
    pid=$(cat "$pidfile" 2>/dev/null || true)
    caught=$(awk '/^SigCgt:/ {print $2}' "/proc/${pid:-0}/status" 2>/dev/null || echo 0)
    (( 0x${caught:-0} & 0x4000 )) && break
    sleep 0.1
  done
  "${sudo[@]}" kill -TERM "$pid" && wait "$job"
}
saved_at_home() {
  window_until_sigterm as_user && grep -q '^FormTop=' "$root/home/tester/.config/tovel/Tovel.ini"
}
check "SIGTERM: the settings saved in ~/.config/tovel/Tovel.ini" saved_at_home
check "tovel-suntable --check of the shipped tables" \
  as_user sh -c 'tovel-suntable --check /usr/share/tovel/*.sun >/dev/null'
own_table() {
  as_user sh -c "cd / && tovel-suntable \"Be'er Sheva\" 31.2518 34.7913 Asia/Jerusalem 2026" &&
    [ -f "$root/home/tester/.local/share/tovel/Be'er_Sheva.sun" ]
}
check "tovel-suntable writes the user's table into ~/.local/share/tovel" own_table

echo "== run by root"
listing() {
  (cd "$root" && "${sudo[@]}" find usr/lib/tovel usr/share/tovel usr/bin/tovel \
    -printf '%p %s %m %U %T@\n' -type f -exec md5sum {} + | sort)
}
before=$(listing)
root_run() {
  in_tree env QT_QPA_PLATFORM=offscreen tovel /L && window_until_sigterm in_tree &&
    [ -f "$root/root/.config/tovel/Tovel.ini" ] && [ "$(listing)" = "$before" ]
}
check "tovel as root: settings in /root/.config, the installed files unchanged" root_run

echo "== removal"
remove_package() {
  DEBIAN_FRONTEND=noninteractive in_tree apt-get purge -y -qq tovel >/dev/null &&
    [ ! -e "$root/usr/bin/tovel" ] && [ ! -e "$root/usr/lib/tovel" ] &&
    [ ! -e "$root/usr/share/tovel" ] && [ ! -e "$root/usr/share/doc/tovel" ]
}
check "apt-get purge leaves nothing of the package" remove_package

if ((failed)); then
  echo "== $failed package checks FAILED"
  exit 1
fi
echo "== every package check passed"
