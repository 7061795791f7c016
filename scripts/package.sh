#!/usr/bin/env bash
# Builds the Debian package (build-deb/tovel_<version>_amd64.deb) and checks it.
# As root the package is really installed with apt-get; the programs are then
# run as the user nobody with a scratch home, as on a user's desktop (settings
# and own tables in that home), and the package is removed again. Without root
# it is unpacked into a scratch folder with dpkg -x and run from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=build-deb
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTOVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
rm -f "$build"/tovel_*.deb
(cd "$build" && cpack -G DEB)
deb=$(realpath "$build"/tovel_*_amd64.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
dpkg-deb --contents "$deb" | awk '{print $6, $7, $8}'
if command -v lintian >/dev/null; then lintian "$deb" || true; fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
  prefix=/usr
  chmod 755 "$scratch"
  home="$scratch/home"
  mkdir -p "$home"
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups -- env -i PATH=/usr/bin:/bin HOME="$home")
else
  dpkg -x "$deb" "$scratch/root"
  prefix="$scratch/root/usr"
  as_user=(env)
fi
run() { "${as_user[@]}" "$@"; }

echo "== checks"
[ "$(readlink "$prefix/bin/tovel")" = ../lib/tovel/tovel ]
[ "$(readlink "$prefix/bin/tovel-suntable")" = ../lib/tovel/tovel-suntable ]
desktop-file-validate "$prefix/share/applications/org.tovel.Tovel.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.tovel.Tovel.metainfo.xml"
for page in tovel tovel-suntable; do gzip -dc "$prefix/share/man/man1/$page.1.gz" | groff -man -ww -z; done
run "$prefix/bin/tovel" /L
echo "tovel /L: status $?"
run env QT_QPA_PLATFORM=offscreen TOVEL_EXIT_AFTER_PAINT=1 "$prefix/bin/tovel"
echo "first paint through $prefix/bin/tovel: status $?"
run "$prefix/bin/tovel-suntable" --check "$prefix"/share/tovel/*.sun
if [ "$(id -u)" -eq 0 ]; then
  # Installed by root: the user's settings and tables live in the user's home.
  "${as_user[@]}" QT_QPA_PLATFORM=offscreen "$prefix/bin/tovel" &
  pid=$!
  # SIGTERM once the program handles it (it then saves as on File > Exit).
  for _ in $(seq 300); do
    caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    (( 0x${caught:-0} & 0x4000 )) && break
    sleep 0.1
  done
  kill -TERM "$pid"
  wait "$pid"
  grep -q '^FormTop=' "$home/.config/tovel/Tovel.ini"
  echo "settings saved in $home/.config/tovel/Tovel.ini"
  (cd / && run "$prefix/bin/tovel-suntable" "Be'er Sheva" 31.2518 34.7913 Asia/Jerusalem 2026)
  [ -f "$home/.local/share/tovel/Be'er_Sheva.sun" ]
  [ ! -e /usr/lib/tovel/Tovel.ini ]
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tovel
  [ ! -e /usr/bin/tovel ]
fi
echo "== the package checks passed"
