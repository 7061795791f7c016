#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVEL_SANITIZE=ON \
  -DBUILD_TESTING=ON -DTOVEL_BENCH=OFF >/dev/null
cmake --build build-asan -j 2
cd build-asan
# Leaks inside the system's font and display libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest -j 2 --output-on-failure --output-junit ctest-results.xml
python3 ../scripts/skipped_tests.py ctest-results.xml || true
