#!/usr/bin/env bash
# Plants each fault of tools/planted_faults.txt in turn into the build folder's sources, builds,
# runs the whole suite and restores the file; prints each fault as caught or MISSED, then the
# count. Needs a configured build/ (scripts/build.sh). Slow: one build and suite run a fault.
#   bash scripts/plant_faults.sh [PATTERN]    # only the faults whose line matches PATTERN
set -uo pipefail
cd "$(dirname "$0")/.."
list=tools/planted_faults.txt
caught=0 missed=0 stale=0
backup=$(mktemp)
trap 'rm -f "$backup"' EXIT
while IFS='|' read -r file old new what; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  [[ -n "${1:-}" && "$file|$old|$new|$what" != *"$1"* ]] && continue
  if ! grep -qF -- "$old" "$file"; then
    echo "STALE   $file: $what (text not found)"; ((stale++)); continue
  fi
  cp "$file" "$backup"
  OLD="$old" NEW="$new" python3 - "$file" <<'PY'
import os, sys
p = sys.argv[1]; s = open(p, encoding="utf-8").read()
open(p, "w", encoding="utf-8").write(s.replace(os.environ["OLD"], os.environ["NEW"], 1))
PY
  if ! cmake --build build -j 2 >/dev/null 2>&1; then
    result="caught (does not build)"
  elif (cd build && QT_QPA_PLATFORM=offscreen ctest -j 2 --timeout 300 >/dev/null 2>&1); then
    result="MISSED"
  else
    result="caught"
  fi
  cp "$backup" "$file"  # a new time stamp, so that the build sees it
  [[ "$result" == MISSED ]] && ((missed++)) || ((caught++))
  printf '%-7s %s: %s\n' "${result%% *}" "$file" "$what"
done < "$list"
cmake --build build -j 2 >/dev/null 2>&1
echo "$caught caught, $missed missed, $stale stale"
[[ $missed -eq 0 && $stale -eq 0 ]]
