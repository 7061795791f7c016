#!/usr/bin/env bash
# Installs the Debian 12 packages Tovel needs to build, run and test; only what is missing.
# Every optional tool a test uses is here, so that nothing is skipped (CI refuses a skip).
set -euo pipefail
# lld links tovel without the maths library; dpkg-dev, desktop-file-utils, appstream and
# groff-base serve the checks of the desktop entry, the AppStream file and the manual pages (and
# scripts/package.sh); dbus-daemon, at-spi2-core, python3 and python3-pyatspi the screen-reader
# check; libgeonames-dev the towns of "Add location..."; python3-icalendar, khal and
# poppler-utils read the exported holidays and the printed pages.
packages=(g++ lld cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev fonts-liberation2
          tzdata xvfb xauth clang-format dpkg-dev desktop-file-utils appstream groff-base
          dbus-daemon at-spi2-core python3 python3-pyatspi pkg-config libgeonames-dev
          python3-icalendar khal poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing packages: ${missing[*]}" >&2
      echo "Run this as root, or install sudo, to have them installed." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  # Another apt run (unattended upgrades) may hold the lock for a while.
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "${missing[@]}"
fi
