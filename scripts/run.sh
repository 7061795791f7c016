#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calendar. Without a display
# it starts it under Xvfb, saves a screenshot of the window and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DBUILD_TESTING=OFF -DTOVEL_BENCH=OFF
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/tovel "$@"
fi
shot="${TOVEL_SCREENSHOT:-$PWD/build/tovel-screenshot.png}"
echo "No display: starting Tovel under Xvfb for a screenshot."
TOVEL_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1024x768x24" ./build/tovel "$@"
