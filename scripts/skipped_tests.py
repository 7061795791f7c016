#!/usr/bin/env python3
"""Lists the tests that skipped themselves, with their reasons, from ctest's JUnit files
(ctest --output-junit). Exit status 1 when any test was skipped (CI wants none).

    python3 scripts/skipped_tests.py build/ctest-results.xml [...]
"""
import sys
import xml.etree.ElementTree as ElementTree


def reason(out, fallback):
    lines = out.splitlines()
    for i, line in enumerate(lines):
        if line.startswith("SKIPPED: "):  # the project's scripts
            return line[len("SKIPPED: "):]
        if line.startswith("SKIP   : "):  # QtTest
            return line[len("SKIP   : "):]
        if line.endswith(": Skipped") and i + 1 < len(lines):  # GoogleTest: the message follows
            return lines[i + 1]
    return next((line for line in reversed(lines) if line.strip()), fallback)


skipped = 0
for path in sys.argv[1:]:
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        mark = case.find("skipped")
        if mark is not None:
            skipped += 1
            out = case.findtext("system-out") or ""
            print("Skipped: %s: %s" % (case.get("name"), reason(out, mark.get("message", ""))))
sys.exit(1 if skipped else 0)
