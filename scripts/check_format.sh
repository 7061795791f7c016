#!/usr/bin/env bash
# Checks every C++ source against .clang-format; with --fix, reformats them.
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
