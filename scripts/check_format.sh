#!/usr/bin/env bash
# Checks the C++ sources of the program, its tools, benchmarks and tests
# against .clang-format; with --fix, reformats them. Tables of test cases may
# keep one case a line between "// clang-format off" and "// clang-format on".
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find app bench engine input state sunset tests tools views \
  \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run -Werror "${files[@]}"
  echo "${#files[@]} files follow .clang-format"
fi
