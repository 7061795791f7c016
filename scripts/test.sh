#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DBUILD_TESTING=ON -DTOVEL_BENCH=ON
cd build
QT_QPA_PLATFORM=offscreen ctest -j 2 --output-on-failure
