#!/usr/bin/env bash
# Checks the C++ sources of the program, its tools and benchmarks against
# .clang-format; with --fix, reformats them. Tests are left out: they are
# tables of cases, one case a line, which the formatter would spread out.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find app bench engine input state sunset tools views \
  \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run -Werror "${files[@]}"
  echo "${#files[@]} files follow .clang-format"
fi
