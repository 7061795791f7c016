#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calendar.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DBUILD_TESTING=OFF -DTOVEL_BENCH=OFF
exec ./build/tovel "$@"
