#!/usr/bin/env bash
# Installs the Debian 12 packages Tovel needs to build, run and test; only what is missing.
set -euo pipefail
# dpkg-dev, desktop-file-utils and appstream serve the packaging check (scripts/package.sh);
# dbus-daemon, at-spi2-core and python3-pyatspi the screen-reader check; libgeonames-dev the
# towns of "Add location..."; python3-icalendar, khal and poppler-utils read the exported holidays
# and the printed pages.
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev fonts-liberation2 tzdata xvfb xauth clang-format
          dpkg-dev desktop-file-utils appstream dbus-daemon at-spi2-core python3-pyatspi
          pkg-config libgeonames-dev python3-icalendar khal poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
