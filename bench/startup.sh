#!/usr/bin/env bash
# Whole-process start-up figures, measured with hyperfine (apt-get install hyperfine):
#  - cold start to the first painted window, under Xvfb;
#  - "tovel /L" on an ordinary day with an active location (nothing to announce).
# Usage: bench/startup.sh BUILD_DIR   (a Release build of the tovel target)
set -euo pipefail
build="${1:?usage: bench/startup.sh BUILD_DIR}"
command -v hyperfine >/dev/null || { echo "hyperfine is not installed" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT
cp "$build/tovel" "$build/libtovel_window.so" "$build/RHDates.Tvl" "$work/"

median() {
  python3 -c 'import json,sys
for r in json.load(open(sys.argv[1]))["results"]:
    print("  %-40s median %7.2f ms  (min %.2f, max %.2f, %d runs)" % (r["command"].split("/")[-1], r["median"]*1e3, r["min"]*1e3, r["max"]*1e3, len(r["times"])))' "$1"
}

# A location table with a line for every day, and that location active.
python3 - "$work/town.sun" <<'PY'
import sys, datetime
d = datetime.date(2000, 1, 1)
with open(sys.argv[1], "w", newline="") as f:
    f.write("Town\r\n")
    while d.year == 2000:
        f.write(" %s %2d  6:%02d\r\n" % (d.strftime("%b"), d.day, d.day))
        d += datetime.timedelta(days=1)
PY
printf '[Tovel]\r\nActiveLocation=1\r\n' > "$work/Tovel.ini"

# Pick a "today" without a holiday text: the program reads the system date, so
# only report the pop-up figure when today is such a day.
echo "== tovel /L (nothing to announce unless today is a holiday)"
hyperfine -N --warmup 20 --runs 300 --export-json "$work/popup.json" "$work/tovel /L" /bin/true >/dev/null
median "$work/popup.json"

echo "== cold start to the first painted window (Xvfb)"
Xvfb :97 -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
sleep 1
DISPLAY=:97 TOVEL_EXIT_AFTER_PAINT=1 hyperfine -N --warmup 3 --runs 40 --export-json "$work/start.json" \
  "$work/tovel" >/dev/null
median "$work/start.json"
