#!/usr/bin/python3
"""The running program as a screen reader sees it over the AT-SPI bus.

Usage (inside a D-Bus session of its own):
    dbus-run-session -- /usr/bin/python3 atspi_check.py BUILD_DIR

Starts the real program from a copy of BUILD_DIR's files under Xvfb, finds the
calendar grid and the buttons in the accessibility tree, presses ">" through
its accessible action and checks that the grid's name follows the selection
and that the change is announced.
"""
import datetime, os, re, shutil, subprocess, sys, tempfile, time

import pyatspi
from gi.repository import GLib

# Exit status 77 (skipped) when this machine cannot give what the check needs. A bus that cannot
# be reached ends the process that asks (no exception), so a process of its own asks first.
probe = subprocess.run([sys.executable, "-c", "import pyatspi; pyatspi.Registry.getDesktop(0)"],
                       capture_output=True, text=True, timeout=60)
if probe.returncode != 0:
    why = (probe.stderr.strip().splitlines() or ["?"])[-1]
    print("SKIPPED: the AT-SPI bus cannot be reached:", why)
    sys.exit(77)
work = tempfile.mkdtemp()
for f in ("tovel", "tovel-window", "RHDates.Tvl"):
    shutil.copy(os.path.join(sys.argv[1], f), work)
display_r, display_w = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(display_w), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
                        pass_fds=(display_w,), stderr=subprocess.DEVNULL)
os.close(display_w)
display = os.read(display_r, 16).decode().strip()
if not display:
    print("SKIPPED: Xvfb did not start")
    shutil.rmtree(work, ignore_errors=True)
    sys.exit(77)
env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb",
           LANG="C.UTF-8", LC_ALL="C.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TOVEL_UNATTENDED="1")
program = subprocess.Popen([os.path.join(work, "tovel")], cwd=work, env=env)


def find(node, predicate):
    found = [node] if node is not None and predicate(node) else []
    for i in range(node.childCount if node is not None else 0):
        found += find(node.getChildAtIndex(i), predicate)
    return found


def check():
    deadline, apps = time.time() + 20, []
    while not apps and time.time() < deadline:
        time.sleep(0.2)
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [a for a in map(desktop.getChildAtIndex, range(desktop.childCount))
                if a is not None and a.name == "tovel" and a.childCount > 0]
    assert apps, "the program appears on the accessibility bus"
    grids = find(apps[0], lambda n: n.getRole() == pyatspi.ROLE_IMAGE and re.match(r"\d+ \w", n.name or ""))
    assert len(grids) == 1, "one calendar grid with a date as its name, found %d" % len(grids)
    grid, today = grids[0], datetime.date.today()
    spoken = "%s %d %s %d" % (today.strftime("%A"), today.day, today.strftime("%B"), today.year)
    # "26 Kislev 5787, Sunday 6 December 2026" and perhaps the day's holiday.
    match = re.match(r"^(\d+) ([A-Za-z ]+) (\d{4}), (.*?)(, .*)?$", grid.name)
    assert match and match.group(4) == spoken, "grid name %r speaks today, %s" % (grid.name, spoken)

    buttons = {b.name: b for b in find(apps[0], lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON)}
    for caption, hint in (("<", "previous month"), (">", "next month"), ("Today", "current date"),
                          ("<<", "previous year"), (">>", "next year")):
        assert caption in buttons and buttons[caption].description == "Click to display " + hint, caption

    names = []
    pyatspi.Registry.registerEventListener(
        lambda e: names.append(e.source.name) if e.source.getRole() == pyatspi.ROLE_IMAGE else None,
        "object:property-change:accessible-name")
    before = grid.name
    buttons[">"].queryAction().doAction(0)
    deadline = time.time() + 5
    while not names and time.time() < deadline:
        GLib.MainContext.default().iteration(False)  # the bus's pending events
        time.sleep(0.05)
    after = grid.name
    # The same day of the next month; a 30th becomes the 29th where the month has no 30th.
    day_before, day_after = int(before.split(" ")[0]), int(after.split(" ")[0])
    assert after != before and day_after in (day_before, min(day_before, 29)), "after '>': %r -> %r" % (before, after)
    assert after in names, "the new name %r was announced (heard %r)" % (after, names)
    print("grid: %r, then after '>': %r (announced: %r)" % (before, after, names))


try:
    check()
    status = 0
except AssertionError as e:
    print("FAIL:", e)
    status = 1
finally:
    program.terminate()
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        program.kill()
    xvfb.terminate()
    shutil.rmtree(work, ignore_errors=True)
sys.exit(status)
