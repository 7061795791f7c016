#!/usr/bin/env bash
# The whole performance report in one run on this machine:
#  - the Google Benchmark programs (medians of 5 repetitions);
#  - whole-process timings, in interleaved rounds: /bin/true, "tovel /L" with nothing
#    to announce, Debian's "hdate -q -H" and "hebcal -T", and the cost of each
#    above /bin/true as a ratio to hdate's;
#  - cold start to the first painted window, under Xvfb;
#  - the peak resident memory of a running window, under Xvfb.
# Usage: bash bench/report.sh [BUILD_DIR]   (default build-rel, a Release build made here)
# Installs what it needs (hyperfine, hdate, hebcal and the build packages) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-rel}"

bash scripts/deps.sh
missing=()
for p in hyperfine hdate hebcal; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTOVEL_BENCH=ON >/dev/null
cmake --build "$build" -j 2 >/dev/null

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== benchmarks (median of 5 repetitions)"
for b in engine_bench navigation_bench sun_bench ui_bench; do
  QT_QPA_PLATFORM=offscreen "$build/bench/$b" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep '_median' | sed 's/_median//'
done

work=$(mktemp -d)
xvfb=""
trap 'rm -rf "$work"; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true' EXIT
cp "$build/tovel" "$build/tovel-window" "$work/"

# A year table shifted so that today is 11 Tishri (no holiday) of some year,
# a sunset table with a line for every day, and that location active: "tovel /L"
# then reads everything it reads on an ordinary day and has nothing to say.
python3 - data/RHDates.Tvl "$work" <<'PY'
import datetime, sys
src, work = sys.argv[1], sys.argv[2]
lines = [l for l in open(src, newline="").read().split("\r\n") if l.strip()]
parse = lambda s: datetime.datetime.strptime(s[-11:], "%d-%b-%Y").date()
today = datetime.date.today()
starts = [parse(l) for l in lines]
i = max(k for k, d in enumerate(starts) if d <= today + datetime.timedelta(days=400)) - 1
shift = (today - datetime.timedelta(days=10)) - starts[i]
with open(work + "/RHDates.Tvl", "w", newline="") as f:
    for l, d in zip(lines, starts):
        f.write(l[:-11] + (d + shift).strftime("%d-%b-%Y") + "\r\n")
d = datetime.date(2000, 1, 1)
with open(work + "/town.sun", "w", newline="") as f:
    f.write("Town\r\n")
    while d.year == 2000:
        f.write(" %s %2d  6:%02d\r\n" % (d.strftime("%b"), d.day, d.day))
        d += datetime.timedelta(days=1)
with open(work + "/Tovel.ini", "w", newline="") as f:
    f.write("[Tovel]\r\nActiveLocation=1\r\n")
PY
out=$(cd "$work" && ./tovel /L)
[ -z "$out" ] || { echo "tovel /L announced something: $out" >&2; exit 1; }

echo
echo "== whole processes (median of 400 rounds after 20)"
# Each round starts every command once, in turn, so that the load of a shared machine, which
# drifts, weighs on all of them alike (blocks of runs of one command after another would not).
python3 - "$work" <<'PY'
import os, statistics, sys, time
work = sys.argv[1]
commands = [["/bin/true"], [work + "/tovel", "/L"], ["hdate", "-q", "-H"], ["hebcal", "-T"]]
times = [[] for _ in commands]
quiet = os.open(os.devnull, os.O_WRONLY)
for i in range(420):
    for command, runs in zip(commands, times):
        start = time.perf_counter_ns()
        pid = os.posix_spawnp(command[0], command, os.environ,
                              file_actions=[(os.POSIX_SPAWN_DUP2, quiet, 1)])
        os.waitpid(pid, 0)
        if i >= 20:
            runs.append((time.perf_counter_ns() - start) / 1e6)
medians = [statistics.median(runs) for runs in times]
base, hdate = medians[0], medians[2] - medians[0]
for command, t in zip(commands, medians):
    name = " ".join(command).replace(work + "/", "")
    print("  %-14s %6.2f ms  above /bin/true %5.2f ms  = %.2f of hdate's"
          % (name, t, t - base, (t - base) / hdate))
PY

Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
echo
echo "== cold start to the first painted window (Xvfb, median of 40 runs after 3)"
# From just before the process is started to the moment the window's first
# paint has been handed to the X server (printed by TOVEL_EXIT_AFTER_PAINT=1),
# and, for comparison, the whole process with its teardown (hyperfine).
python3 - "$work" <<'PY'
import os, statistics, subprocess, sys, time
work = sys.argv[1]
env = dict(os.environ, DISPLAY=":97", QT_QPA_PLATFORM="xcb", TOVEL_EXIT_AFTER_PAINT="1")

def first_paint(pause):
    times = []
    for i in range(43):
        time.sleep(pause)
        start = time.clock_gettime(time.CLOCK_MONOTONIC) * 1e3
        out = subprocess.run([work + "/tovel"], cwd=work, env=env, capture_output=True, text=True).stdout
        painted = [float(l.split()[1]) for l in out.splitlines() if l.startswith("painted ")]
        if not painted:
            sys.exit("no first paint reported: " + out)
        if i >= 3:
            times.append(painted[0] - start)
    return "%6.1f ms (min %.1f, max %.1f)" % (statistics.median(times), min(times), max(times))

# A user starts the program once; started back to back, each run also waits
# for the X server to finish with the window of the run before.
print("  to the first paint, runs 0.2 s apart   " + first_paint(0.2))
print("  to the first paint, runs back to back  " + first_paint(0))
PY
(cd "$work" && DISPLAY=:97 QT_QPA_PLATFORM=xcb TOVEL_EXIT_AFTER_PAINT=1 hyperfine -N --warmup 3 \
  --runs 40 --export-json "$work/start.json" "$work/tovel" >/dev/null 2>&1)
python3 -c 'import json,sys
r = json.load(open(sys.argv[1]))["results"][0]
print("  whole process, hyperfine              %6.1f ms (min %.1f, max %.1f)" % (r["median"]*1e3, r["min"]*1e3, r["max"]*1e3))' "$work/start.json"

echo
echo "== memory of a running window (Xvfb)"
python3 - "$work" <<'PY'
import os, signal, subprocess, sys, time
work = sys.argv[1]
env = dict(os.environ, DISPLAY=":97", QT_QPA_PLATFORM="xcb")
peaks = []
for _ in range(3):
    p = subprocess.Popen([work + "/tovel"], cwd=work, env=env)
    time.sleep(2)
    status = dict(l.split(":", 1) for l in open("/proc/%d/status" % p.pid) if ":" in l)
    peaks.append((int(status["VmHWM"].split()[0]) / 1024, int(status["VmRSS"].split()[0]) / 1024))
    p.send_signal(signal.SIGTERM)
    p.wait(10)
for hwm, rss in peaks:
    print("  peak RSS %.1f MB, RSS after 2 s %.1f MB" % (hwm, rss))
PY
