#!/usr/bin/python3
"""The running program as a screen reader sees it over the AT-SPI bus.

Usage (inside a D-Bus session of its own):
    dbus-run-session -- /usr/bin/python3 atspi_check.py BUILD_DIR

Starts the real program from a copy of BUILD_DIR's files under Xvfb, finds the
calendar grid and the buttons in the accessibility tree, presses ">" through
its accessible action and checks that the grid's name follows the selection
and that the change is announced.
"""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

build = sys.argv[1]
work = tempfile.mkdtemp()
for f in ("tovel", "tovel-window", "RHDates.Tvl"):
    shutil.copy(os.path.join(build, f), work)

display_r, display_w = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(display_w), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
                        pass_fds=(display_w,), stderr=subprocess.DEVNULL)
os.close(display_w)
display = ":" + os.read(display_r, 16).decode().strip()
env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8",
           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TOVEL_UNATTENDED="1")
program = subprocess.Popen([os.path.join(work, "tovel")], cwd=work, env=env)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def finish():
    program.terminate()
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        program.kill()
    xvfb.terminate()
    shutil.rmtree(work, ignore_errors=True)
    print("%d failure(s)" % len(failures))
    sys.exit(1 if failures else 0)


def find(node, predicate, found):
    if node is None:
        return found
    if predicate(node):
        found.append(node)
    for i in range(node.childCount):
        find(node.getChildAtIndex(i), predicate, found)
    return found


app = None
deadline = time.time() + 20
while app is None and time.time() < deadline:
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == "tovel" and a.childCount > 0:
            app = a
    time.sleep(0.2)
check(app is not None, "the program appears on the accessibility bus")
if app is None:
    finish()

grids = find(app, lambda n: n.getRole() == pyatspi.ROLE_IMAGE and re.match(r"\d+ \w", n.name or ""), [])
check(len(grids) == 1, "one calendar grid with a date as its name, found %d" % len(grids))
if not grids:
    finish()
grid = grids[0]
today = datetime.date.today()
spoken = "%s %d %s %d" % (today.strftime("%A"), today.day, today.strftime("%B"), today.year)
# "26 Kislev 5787, Sunday 6 December 2026" and perhaps the day's holiday.
match = re.match(r"^(\d+) ([A-Za-z ]+) (\d{4}), (.*?)(, .*)?$", grid.name)
check(match is not None and match.group(4) == spoken, "grid name %r speaks today, %s" % (grid.name, spoken))

buttons = {b.name: b for b in find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON, [])}
for caption, hint in (("<", "previous month"), (">", "next month"), ("Today", "current date"),
                      ("<<", "previous year"), (">>", "next year")):
    check(caption in buttons and buttons[caption].description == "Click to display " + hint,
          "button %r describes itself" % caption)

names = []
pyatspi.Registry.registerEventListener(
    lambda e: names.append(e.source.name) if e.source.getRole() == pyatspi.ROLE_IMAGE else None,
    "object:property-change:accessible-name")
before = grid.name
if ">" in buttons:
    buttons[">"].queryAction().doAction(0)
deadline = time.time() + 5
while not names and time.time() < deadline:
    # Runs the bus's pending events for a moment.
    GLib.MainContext.default().iteration(False)
    time.sleep(0.05)
after = grid.name
# The same day of the next month; a 30th becomes the 29th where the month has no 30th.
day_before, day_after = int(before.split(" ")[0]), int(after.split(" ")[0])
check(after != before and (day_after == day_before or (day_before == 30 and day_after == 29)),
      "after '>' the grid names the same day of the next month: %r -> %r" % (before, after))
check(after in names, "the new name was announced (heard %r)" % names)
print("grid: %r, then after '>': %r (announced: %r)" % (before, after, names))
finish()
