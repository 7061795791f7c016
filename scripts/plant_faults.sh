#!/usr/bin/env bash
# Plants each fault of tools/planted_faults.txt in turn into the sources, builds build/, runs the
# whole suite and restores the file; prints each fault as caught or MISSED, then the count. Needs
# a configured build/ (scripts/build.sh). Slow: one build and one suite run a fault.
#   bash scripts/plant_faults.sh [PATTERN]    # only the faults whose text holds PATTERN
set -uo pipefail
cd "$(dirname "$0")/.."
exec python3 - "${1:-}" <<'PY'
import pathlib, subprocess, sys
pattern = sys.argv[1]
faults, fault = [], {}
for line in pathlib.Path("tools/planted_faults.txt").read_text(encoding="utf-8").splitlines():
    if line.startswith("= "): fault = {"what": line[2:]}; faults.append(fault)
    elif line.startswith("file: "): fault["file"] = line[6:]
    elif line.startswith("- "): fault["old"] = line[2:]
    elif line.startswith("+ "): fault["new"] = line[2:]
def quiet(*command, **options):
    return subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options).returncode
counts = {"caught": 0, "MISSED": 0, "STALE": 0}
for f in faults:
    if pattern and pattern not in "".join(f.values()): continue
    path = pathlib.Path(f["file"])
    text = path.read_text(encoding="utf-8")
    if f["old"] not in text:
        result = "STALE"
    else:
        path.write_text(text.replace(f["old"], f["new"], 1), encoding="utf-8")
        try:
            if quiet("cmake", "--build", "build", "-j", "2") != 0:
                result = "caught"  # it does not even build
            else:
                env = {"QT_QPA_PLATFORM": "offscreen", **__import__("os").environ}
                failed = quiet("ctest", "-j", "2", "--timeout", "300", cwd="build", env=env)
                result = "caught" if failed else "MISSED"
        finally:
            path.write_text(text, encoding="utf-8")  # a new time stamp: the build sees it
    counts[result] += 1
    print(f"{result:7} {f['file']}: {f['what']}", flush=True)
quiet("cmake", "--build", "build", "-j", "2")
print(f"{counts['caught']} caught, {counts['MISSED']} missed, {counts['STALE']} stale")
sys.exit(1 if counts["MISSED"] or counts["STALE"] else 0)
PY
