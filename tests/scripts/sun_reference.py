#!/usr/bin/env python3
"""`fernhollow lines sun` against python3-ephem: the sun's centre, no refraction
(pressure 0), the horizon at -0:50 for sunrise and sunset and at -6 degrees for civil
dawn and dusk. Times agree within 1 min up to 60 degrees of latitude and 2 min up to
65; where ephem finds no event the command says why; the last day within 5 minutes
of the sun is the one ephem gives. Usage: sun_reference.py FERNHOLLOW"""
import datetime
import subprocess
import sys
import zoneinfo

try:
    import ephem
except ImportError:
    print("SKIPPED: python3-ephem is not installed (Debian: apt-get install python3-ephem)")
    sys.exit(77)

exe = sys.argv[1]
PLACES = [  # latitude, longitude, zone
    (52.37, 4.9, "Europe/Amsterdam"),
    (-33.87, 151.21, "Australia/Sydney"),
    (-0.18, -78.47, "America/Guayaquil"),
    (34.05, -118.24, "America/Los_Angeles"),
    (-54.8, -68.3, "America/Argentina/Ushuaia"),
    (64.84, -147.72, "America/Anchorage"),
]
DATES = ["2027-03-20", "2027-06-21", "2027-09-23", "2027-12-21"]
EVENTS = {"sunrise": ("-0:50", True), "sunset": ("-0:50", False), "dawn": ("-6", True), "dusk": ("-6", False)}
failures = []


def observer(lat, lon, horizon):
    o = ephem.Observer()
    o.lat, o.lon, o.pressure, o.horizon, o.elevation = str(lat), str(lon), 0, horizon, 0
    return o


def reference(lat, lon, zone, date, event):
    """Seconds from the civil midnight of `date`, or None where the sun never crosses."""
    horizon, rising = EVENTS[event]
    o = observer(lat, lon, horizon)
    day = datetime.date.fromisoformat(date)
    # The course whose noon falls on the date: the transit after local mean midnight.
    start = datetime.datetime(day.year, day.month, day.day) - datetime.timedelta(days=lon / 360)
    o.date = ephem.Date(start)
    sun = ephem.Sun()
    noon = o.next_transit(sun)
    o.date = noon
    try:
        at = o.previous_rising(sun, use_center=True) if rising else o.next_setting(sun, use_center=True)
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return None
    utc = ephem.Date(at).datetime().replace(tzinfo=datetime.timezone.utc)
    civil = utc.astimezone(zoneinfo.ZoneInfo(zone))
    midnight = datetime.datetime(day.year, day.month, day.day, tzinfo=zoneinfo.ZoneInfo(zone))
    return (civil.replace(tzinfo=None) - midnight.replace(tzinfo=None)).total_seconds()


def lines_sun(args):
    run = subprocess.run([exe, "lines", "sun"] + args, capture_output=True, text=True)
    return run.returncode, run.stdout, run.stderr


def written(out):
    h, m, s = (int(x) for x in out.split(",")[1].split(":"))
    return h * 3600 + m * 60 + s


def apart(a, b):
    d = (a - b) % 86400
    return min(d, 86400 - d)


checked = 0
for lat, lon, zone in PLACES:
    limit = 60 if abs(lat) <= 60 else 120
    place = f"{lat},{lon},{zone}"
    for date in DATES:
        for event in EVENTS:
            want = reference(lat, lon, zone, date, event)
            status, out, err = lines_sun(["--date", date, "--place", place, "--at", event, "--heat", "72", "--gap", "8"])
            what = f"{event} {date} at {place}"
            if want is None:
                if status != 2 or "the sun stays" not in err:
                    failures.append(f"{what}: ephem finds none, fernhollow said {out!r} {err!r}")
            elif status != 0:
                failures.append(f"{what}: {err.strip()}")
            elif apart(written(out), want) > limit:
                failures.append(f"{what}: {out.strip()} against {want:.0f} s")
            checked += 1

# Polar day and night: a message, never a made-up time.
for date, words in (("2027-06-21", "polar day"), ("2027-12-21", "polar night")):
    status, out, err = lines_sun(["--date", date, "--place", "78.22,15.65,Arctic/Longyearbyen",
                                  "--relays", "1", "--from", "sunrise", "--to", "sunset"])
    if status != 2 or out or words not in err:
        failures.append(f"Longyearbyen {date}: {status} {out!r} {err!r}")
    checked += 1

# The drift: the last day every line is within 5 minutes of the sun, right to the day.
for lat, lon, zone, date in ((52.37, 4.9, "Europe/Amsterdam", "2027-03-14"),
                             (-33.87, 151.21, "Australia/Sydney", "2027-09-10")):
    place = f"{lat},{lon},{zone}"
    status, out, err = lines_sun(["--date", date, "--place", place, "--relays", "1",
                                  "--from", "sunrise-30m", "--to", "sunset+1h", "--within", "5m"])
    lines = out.split()
    on = next(written(l) for l in lines if l.endswith(",ON"))
    off = next(written(l) for l in lines if l.endswith(",OFF"))
    day = datetime.date.fromisoformat(date)
    last = day
    for k in range(1, 367):
        d = (day + datetime.timedelta(days=k)).isoformat()
        rise, set_ = reference(lat, lon, zone, d, "sunrise"), reference(lat, lon, zone, d, "sunset")
        if apart(rise - 1800, on) > 300 or apart(set_ + 3600, off) > 300:
            break
        last = day + datetime.timedelta(days=k)
    want = f"within 5 min of the sun until {last.isoformat()}"
    if want not in err:
        failures.append(f"drift at {place} from {date}: want {want!r}, got {err.strip()!r}")
    checked += 1

for failure in failures:
    print("FAIL:", failure)
print(f"{checked - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
