#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60), starting from the seed corpora in tests/fuzz/corpus. New inputs go to
# build-fuzz/corpus/<target>; a crash is saved as build-fuzz/crash-<target>-*.
#   bash scripts/fuzz.sh 600            # ten minutes each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVEL_FUZZ=ON \
  -DBUILD_TESTING=OFF -DTOVEL_BENCH=OFF >/dev/null
targets=(year_table_fuzz sunset_fuzz settings_fuzz)
cmake --build build-fuzz -j 2 --target "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  seeds="tests/fuzz/corpus/${t%_fuzz}"
  work="build-fuzz/corpus/$t"
  mkdir -p "$work"
  echo "== $t for ${seconds}s"
  if ! ./build-fuzz/tests/fuzz/"$t" -max_total_time="$seconds" -max_len=65536 -timeout=5 \
       -artifact_prefix="build-fuzz/crash-$t-" -print_final_stats=1 "$work" "$seeds" \
       2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)'; then
    :
  fi
  if ls build-fuzz/crash-"$t"-* >/dev/null 2>&1; then status=1; echo "$t: crash saved"; fi
done
exit $status
