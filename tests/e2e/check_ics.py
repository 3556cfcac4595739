"""Reads the exported iCalendar files with a real iCalendar library and
checks what a calendar program would take from them.

check_ics.py year FIRST.ics SECOND.ics
check_ics.py reminder FILE.ics TEXT HH:MM YYYY-MM-DD...
check_ics.py times FILE.ics DAYS DAWN_OF_17"""
import datetime
import sys
import zoneinfo

import icalendar
from dateutil import rrule

TEHRAN = zoneinfo.ZoneInfo("Asia/Tehran")


def events(path):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    return calendar, [c for c in calendar.walk("VEVENT")]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def is_reminder(e):
    return "یادآوری" in (e.get("CATEGORIES").to_ical().decode() if e.get("CATEGORIES") else "")


def year(first, second):
    _, a = events(first)
    _, b = events(second)
    # Iran's official calendar of 1405: some 440 occasions.
    if len(a) < 400:
        fail(f"only {len(a)} events in the year")
    for e in a:
        start = e.decoded("DTSTART")
        if is_reminder(e):
            # A reminder keeps its time, on Tehran's clock.
            if not isinstance(start, datetime.datetime) or e["DTSTART"].params.get("TZID") != "Asia/Tehran":
                fail(f"the reminder {e.get('SUMMARY')} has no time in Asia/Tehran: {start}")
            start = start.date()
        else:
            end = e.decoded("DTEND")
            if isinstance(start, datetime.datetime) or end - start != datetime.timedelta(days=1):
                fail(f"not an all-day event: {e.get('SUMMARY')}")
        if not datetime.date(2026, 3, 21) <= start <= datetime.date(2027, 3, 20):
            fail(f"{start} lies outside 1405")
    uids = [str(e["UID"]) for e in a]
    if len(set(uids)) != len(uids):
        fail("two events share a UID")
    # Imported twice, as a calendar keeps them: by UID.
    kept = {str(e["UID"]): e for e in a}
    kept.update({str(e["UID"]): e for e in b})
    if len(kept) != len(a):
        fail(f"a second import adds {len(kept) - len(a)} events")
    summaries = {(e.decoded("DTSTART"), str(e["SUMMARY"])) for e in a if not is_reminder(e)}
    for day, text in [(datetime.date(2026, 3, 21), "نوروز"), (datetime.date(2026, 4, 1), "روز جمهوری اسلامی")]:
        if not any(d == day and text in s for d, s in summaries):
            fail(f"no \"{text}\" on {day}")
    holidays = [e for e in a if "تعطیل" in str(e.get("CATEGORIES").to_ical().decode() if e.get("CATEGORIES") else "")]
    # The official calendar's holiday days of 1405, exactly.
    days = {e.decoded("DTSTART") for e in holidays}
    if len(days) != 26:
        fail(f"{len(days)} holiday days, not the official calendar's 26")
    for day in [datetime.date(2026, 5, 27), datetime.date(2026, 6, 24), datetime.date(2026, 6, 25), datetime.date(2026, 11, 13)]:
        if day not in days:
            fail(f"{day} is no holiday")
    print(f"year: {len(a)} events, {len(holidays)} holidays on {len(days)} days, the second import adds none")


def occurrences(e):
    """Every moment an entry comes at, its RRULE and RDATE expanded as a
    calendar program would (a repetition that runs on is taken for ten
    years)."""
    start = e.decoded("DTSTART")
    moments = [start]
    if e.get("RRULE"):
        rule = rrule.rrulestr(e["RRULE"].to_ical().decode(), dtstart=start)
        moments = list(rule.between(start, start + datetime.timedelta(days=3653), inc=True))
    rdates = e.get("RDATE")
    if rdates is not None:
        for rdate in rdates if isinstance(rdates, list) else [rdates]:
            moments += [d.dt for d in rdate.dts]
    return moments


def reminder(path, text, clock, *dates):
    calendar, a = events(path)
    if not calendar.walk("VTIMEZONE") or str(calendar.walk("VTIMEZONE")[0]["TZID"]) != "Asia/Tehran":
        fail("no VTIMEZONE of Asia/Tehran")
    mine = [e for e in a if str(e["SUMMARY"]) == text]
    if not mine:
        fail(f"no \"{text}\" in {path}")
    got = []
    for e in mine:
        if not is_reminder(e):
            fail(f"\"{text}\" is not a reminder")
        if e["DTSTART"].params.get("TZID") != "Asia/Tehran":
            fail(f"\"{text}\" is not in Asia/Tehran")
        if not e.walk("VALARM"):
            fail(f"\"{text}\" has no alarm")
        got += occurrences(e)
    wanted = sorted(datetime.date.fromisoformat(d) for d in dates)
    for moment in got:
        local = moment.astimezone(TEHRAN)
        if local.strftime("%H:%M") != clock or moment.utcoffset() != local.utcoffset():
            fail(f"\"{text}\" comes at {moment.isoformat()}, not at {clock} in Tehran")
    if sorted(m.date() for m in got) != wanted:
        fail(f"\"{text}\" comes on {sorted(m.date().isoformat() for m in got)}, not on {[d.isoformat() for d in wanted]}")
    offset = got[0].strftime("%z")
    print(f"reminder: \"{text}\" on {', '.join(d.isoformat() for d in wanted)} at {clock} {offset[:3]}:{offset[3:]}, {len(mine)} entries")


def times(path, days, dawn):
    calendar, a = events(path)
    if len(a) != int(days) * 6:
        fail(f"{len(a)} times, not {days} days of six")
    if not calendar.walk("VTIMEZONE") or str(calendar.walk("VTIMEZONE")[0]["TZID"]) != "Asia/Tehran":
        fail("no VTIMEZONE of Asia/Tehran")
    for e in a:
        if e["DTSTART"].params.get("TZID") != "Asia/Tehran":
            fail(f"{e['SUMMARY']} is not in Asia/Tehran")
    starts = sorted(e.decoded("DTSTART") for e in a if str(e["SUMMARY"]).startswith("اذان صبح"))
    got = [s for s in starts if s.date() == datetime.date(2026, 12, 8)]
    if not got or got[0].strftime("%H:%M") != dawn or got[0].utcoffset() != datetime.timedelta(hours=3, minutes=30):
        fail(f"the dawn of 8 December is {got}")
    print(f"times: {len(a)} entries, dawn of 8 December at {dawn} +03:30")


if __name__ == "__main__":
    {"year": year, "reminder": reminder, "times": times}[sys.argv[1]](*sys.argv[2:])
