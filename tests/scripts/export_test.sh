#!/bin/sh
# The day's exports of each example read by other tools: the CSV by Python's csv module,
# the calendar by python3-icalendar, the waveform by GTKWave's vcd2fst. A tool that is
# not installed is skipped, said on standard output (scripts/deps.sh installs them).
# Usage: export_test.sh FERNHOLLOW EXAMPLES_DIR
set -eu
exe=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
skipped=0
# Debian's own Python, which python3-icalendar installs for.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
for program in "$examples"/*.fhp; do
  name=$(basename "$program" .fhp)
  "$exe" export "$program" --format csv -o "$work/$name.csv"
  "$exe" export "$program" --format ics --date 2026-03-01 -o "$work/$name.ics"
  "$exe" export "$program" --format vcd -o "$work/$name.vcd"
  if command -v "$py" >/dev/null; then
    "$py" - "$work/$name.csv" <<'PY'
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f, strict=True))
assert rows[0][:5] == ["time", "item", "from", "to", "line"], rows[0]
assert all(len(r) == len(rows[0]) for r in rows), "rows of unequal length"
assert len(rows) > 1, "no changes"
PY
  else
    echo "skipped: python3 is not installed"; skipped=1
  fi
  if "$py" -c 'import icalendar' 2>/dev/null; then
    "$py" - "$work/$name.ics" <<'PY'
import sys, icalendar
with open(sys.argv[1], "rb") as f:
    cal = icalendar.Calendar.from_ical(f.read())
events = [c for c in cal.walk("VEVENT")]
assert events, "no events"
uids = [str(e["UID"]) for e in events]
assert len(set(uids)) == len(uids), "UIDs repeat"
for e in events:
    assert e.decoded("DTEND") > e.decoded("DTSTART"), e["SUMMARY"]
    assert "FREQ" in e["RRULE"], e["SUMMARY"]
PY
  else
    echo "skipped: python3-icalendar is not installed"; skipped=1
  fi
  if command -v vcd2fst >/dev/null; then
    vcd2fst "$work/$name.vcd" "$work/$name.fst" >"$work/vcd2fst.log" 2>&1 || { cat "$work/vcd2fst.log"; exit 1; }
    test -s "$work/$name.fst"
  else
    echo "skipped: vcd2fst (gtkwave) is not installed"; skipped=1
  fi
done
[ "$skipped" = 0 ] || echo "some readers were skipped"
