#!/usr/bin/env python3
"""The exported holidays as programs of others read them.

  ical_check.py icalendar DRIVER TABLE   parsed by Python's icalendar package
  ical_check.py khal DRIVER TABLE        imported by khal and listed back

DRIVER is holiday_calendar_driver. Exits 77 (skipped) when the package or the
program is missing.
"""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
MODE, DRIVER, TABLE = sys.argv[1:4]
YEAR = "5784"  # a leap year: Adar I and Adar II, the fast of Esther moved from a Saturday
# Dates known from outside this program, as its holiday rules place them.
KNOWN = [("2023-09-16", "Rosh Hashanah"), ("2023-09-25", "Yom Kippur"),
         ("2023-12-08", "Hanukkah (8 days)"), ("2024-03-21", "Ta 'anit Esther"),
         ("2024-03-24", "Purim"), ("2024-04-23", "Pesach (Nisan 15-22)"),
         ("2024-08-13", "Tisha B 'Av")]
# A location name long enough to fold, of characters of two and three octets, and a comma.
PLACE = "Ḥolon-Ḥadera, Ẓefat and Bet Sheʼan — a place of many names"


def driver(*args):
    return subprocess.run([DRIVER, *args], check=True, capture_output=True).stdout


def sun_time(day):
    return 13 + (day.month * 31 + day.day) % 9, (day.month * 7 + day.day * 3) % 60


def sun_table(path):
    """A table without a zone line: its times hold for every year."""
    lines = [PLACE]
    day = datetime.date(2000, 1, 1)
    while day.year == 2000:
        hour, minute = sun_time(day)
        lines.append(f" {day:%b} {day.day:2d} {hour - 12:2d}:{minute:02d}")
        day += datetime.timedelta(1)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def check_icalendar(folder):
    try:
        import icalendar
    except ImportError:
        print("python3-icalendar missing: skipped")
        sys.exit(SKIP)
    sun = os.path.join(folder, "place.sun")
    sun_table(sun)
    first = driver(TABLE, YEAR, YEAR, "20240101T000000Z", sun)
    again = driver(TABLE, YEAR, YEAR, "20250607T080910Z")

    physical = first.split(b"\r\n")
    assert physical[-1] == b"" and b"\n" not in first.replace(b"\r\n", b""), "CR LF line ends"
    for line in physical:
        assert len(line) <= 75, line
        line.decode("utf-8")  # a character split by the folding does not decode
    assert any(line.startswith(b" ") for line in physical), "the long description is folded"

    days = driver("--days", TABLE, YEAR).decode().splitlines()
    expected = sorted(tuple(line.split("\t")) for line in days)
    assert set(KNOWN) <= set(expected), set(KNOWN) - set(expected)
    uids = {}
    for text in (first, again):
        events = icalendar.Calendar.from_ical(text).walk("VEVENT")
        found = []
        for e in events:
            start, end = e.decoded("dtstart"), e.decoded("dtend")
            assert type(start) is datetime.date and end - start == datetime.timedelta(1), e
            found.append((start.isoformat(), str(e["summary"])))
            assert e.decoded("dtstamp").tzinfo is not None
        assert sorted(found) == expected, (found, expected)
        uids[text] = [str(e["uid"]) for e in events]
        assert len(set(uids[text])) == len(events), "UIDs unique"
    assert uids[first] == uids[again], "the same UIDs in every export"

    for e in icalendar.Calendar.from_ical(first).walk("VEVENT"):
        evening = e.decoded("dtstart") - datetime.timedelta(1)
        hour, minute = sun_time(evening)
        line = (f"Begins at sunset on {evening:%A} {evening.day} {evening:%B %Y}: "
                f"the sun sets in {PLACE} at {hour:02d}:{minute:02d}")
        assert str(e["description"]).split("\n")[1:] == [line], (str(e["description"]), line)
        if str(e["summary"]) == "Purim":
            assert str(e["description"]).startswith("14 Adar II 5784\n")
    for e in icalendar.Calendar.from_ical(again).walk("VEVENT"):
        assert "\n" not in str(e["description"]), "no sunset without a location"


def check_khal(folder):
    if not shutil.which("khal"):
        print("khal missing: skipped")
        sys.exit(SKIP)
    os.makedirs(os.path.join(folder, "calendar"))
    config = os.path.join(folder, "config")
    with open(config, "w") as f:
        f.write(f"""[calendars]
[[holidays]]
path = {folder}/calendar
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
[sqlite]
path = {folder}/khal.db
""")
    env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=folder, XDG_DATA_HOME=folder,
               LC_ALL="C.UTF-8", TZ="UTC")

    def khal(*args):
        return subprocess.run(["khal", "-c", config, *args], env=env, check=True,
                               capture_output=True, text=True).stdout

    ics = os.path.join(folder, "holidays.ics")
    for stamp in ("20240101T000000Z", "20250101T000000Z"):  # the second import updates
        with open(ics, "wb") as f:
            f.write(driver(TABLE, YEAR, str(int(YEAR) + 1), stamp))
        khal("import", "--batch", "-a", "holidays", ics)
    assert len(os.listdir(os.path.join(folder, "calendar"))) == 34, "17 holidays a year, once"
    listed = khal("list", "2024-03-21", "2024-03-24")
    assert re.findall(r"Ta 'anit Esther|Purim", listed) == ["Ta 'anit Esther", "Purim"], listed
    assert khal("list", "2023-09-16", "2023-09-17").count("Rosh Hashanah") == 2


with tempfile.TemporaryDirectory(prefix="tovel-ical-") as scratch:
    {"icalendar": check_icalendar, "khal": check_khal}[MODE](scratch)
print("ok")
