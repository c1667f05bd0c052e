#!/usr/bin/env bash
# Prints a listing and a chart with `--printer` through a real print service, and checks
# that both arrive as PDFs with the right number of pages; that a queue which refuses
# jobs makes both fail, and so does one whose backend aborts the job it took; that a
# stopped queue is said to hold the job; and that a print service that is down is said
# to be, not taken for a missing printer. The CUPS scheduler is one of
# its own: configuration, spool, state, logs, socket and the PDFs sit in a scratch folder,
# so it never meets a scheduler that may be running. Needs root (packages, the cups-pdf
# backend); where it cannot run it says so and skips.
# Usage: scripts/print-test.sh [FERNHOLLOW]     (default: build/fernhollow)
#
# Learnt on Debian 12 (CUPS 2.4.2, cups-pdf 3.0.1):
# - `cupsd -f -c CUPSD.CONF -s CUPS-FILES.CONF` stays in the foreground; with `Listen PATH`
#   only, a client reaches it through CUPS_SERVER=PATH and nothing else does. Every folder
#   cups-files.conf names must exist (TempDir too), or cupsd will not start.
# - The filters run as lp: the scratch folder must be open to others (755).
# - cups-pdf has no option for where its configuration is; for the device cups-pdf:/NAME it
#   reads /etc/cups/cups-pdf-NAME.conf instead of the shared cups-pdf.conf, so a queue of
#   its own writes where that file says. That file is the one thing made outside the folder.
# - `lpadmin -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd` works, and warns that drivers are
#   deprecated.
# - The socket backend retries a refused connection for a week unless its URI says
#   `contimeout=SECONDS`; then it fails, and the error policy abort-job aborts the job
#   ("The printer is not responding.").
# - A queue stopped with `cupsdisable -r REASON` takes jobs and holds them pending; its
#   printer-state-message is the reason.
# - cups-pdf names the PDF after the job (the en dash written out as its octal bytes) and
#   renders it again through Ghostscript: pdfinfo counts its pages, pdftotext is garbled.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/fernhollow}")

skip() {
  echo "skipped: $*"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "printing through CUPS needs root"
[ -x "$exe" ] || { echo "$exe: no such program; build first" >&2; exit 2; }
missing=()
for p in cups cups-client printer-driver-cups-pdf poppler-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"; } \
    >/dev/null 2>&1 || skip "cannot install ${missing[*]}"
fi

dir=$(mktemp -d)
queue=fernhollow-test-$$
pdfconf=/etc/cups/cups-pdf-$queue.conf
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir" "$pdfconf"
}
trap cleanup EXIT
fail() {
  echo "print test failed: $*" >&2
  tail -n 20 "$dir/log/error_log" >&2 2>/dev/null || true
  exit 1
}

chmod 755 "$dir"
mkdir -p "$dir"/{etc,spool/tmp,state,cache,log,pdf,pdf-spool}
cat >"$dir/etc/cupsd.conf" <<EOF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/state
CacheDir $dir/cache
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
EOF
cat >"$pdfconf" <<EOF
Out $dir/pdf
Spool $dir/pdf-spool
Log $dir/log
Grp lp
EOF

export CUPS_SERVER=$dir/cups.sock
cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" &
pid=$!
for _ in $(seq 100); do
  [ -S "$CUPS_SERVER" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the scheduler did not start"
  sleep 0.1
done
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
  fail "cannot add the queue"
# Added without -E, a queue does not accept jobs: a print to it must fail, not vanish.
lpadmin -p "$queue-refusing" -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
  fail "cannot add the refusing queue"
# Takes the job, then its backend finds nothing listening and the job is aborted.
lpadmin -p "$queue-aborting" -E -v "socket://127.0.0.1:9/?contimeout=1" -o printer-error-policy=abort-job ||
  fail "cannot add the aborting queue"
lpadmin -p "$queue-stopped" -E -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
  fail "cannot add the stopped queue"
cupsdisable -r "out of paper" "$queue-stopped" || fail "cannot stop the stopped queue"

# Sixty items: the listing takes two pages. The chart is one.
program=$dir/sixty.fhp
for minute in $(seq 0 59); do echo "T,6:$minute,70,80"; done | "$exe" add "$program"
"$exe" listing "$program" --printer "$queue" || fail "listing --printer"
"$exe" chart examples/greenhouse.fhp --printer "$queue" || fail "chart --printer"
status=0
"$exe" listing "$program" --printer "no-such-$queue" 2>"$dir/refused" || status=$?
[ "$status" -eq 2 ] && grep -q "the printers are.*$queue" "$dir/refused" || fail "an unknown printer was not refused"

for command in listing chart; do
  status=0
  "$exe" "$command" "$program" --printer "$queue-refusing" 2>"$dir/refused" || status=$?
  [ "$status" -eq 2 ] && grep -q "^fernhollow: the printer $queue-refusing did not take the job: ." "$dir/refused" ||
    fail "$command on a refusing queue: status $status, $(cat "$dir/refused")"
done

# Within the wait of 10 seconds, with time to spare for starting and drawing.
for command in listing chart; do
  status=0
  start=$SECONDS
  "$exe" "$command" "$program" --printer "$queue-aborting" 2>"$dir/aborted" || status=$?
  [ "$status" -eq 2 ] && [ $((SECONDS - start)) -le 15 ] &&
    grep -q "^fernhollow: the printer $queue-aborting did not print the job [0-9]*: ." "$dir/aborted" ||
    fail "$command on an aborting queue: status $status after $((SECONDS - start)) s, $(cat "$dir/aborted")"
done

status=0
"$exe" listing "$program" --printer "$queue-stopped" 2>"$dir/stopped" || status=$?
[ "$status" -eq 0 ] && grep -qx "fernhollow: $queue-stopped is stopped (out of paper); the job waits" "$dir/stopped" ||
  fail "listing on a stopped queue: status $status, $(cat "$dir/stopped")"

for _ in $(seq 240); do
  [ -z "$(lpstat -o "$queue")" ] && [ "$(find "$dir/pdf" -name '*.pdf' | wc -l)" -ge 2 ] && break
  sleep 0.5
done
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }
listing=$(find "$dir/pdf" -name 'sixty.fhp*listing.pdf')
chart=$(find "$dir/pdf" -name 'greenhouse.fhp*chart.pdf')
[ -n "$listing" ] && [ -n "$chart" ] || fail "no PDFs named after the jobs; there are: $(ls "$dir/pdf")"
[ "$(pages "$listing")" = 2 ] || fail "the listing is not two pages"
[ "$(pages "$chart")" = 1 ] || fail "the chart is not one page"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
for command in listing chart; do
  status=0
  "$exe" "$command" "$program" --printer "$queue" 2>"$dir/down" || status=$?
  [ "$status" -eq 2 ] && grep -q "^fernhollow: the print service is not running (.*)$" "$dir/down" ||
    fail "$command with the print service down: status $status, $(cat "$dir/down")"
done
echo "printed through CUPS: the listing on 2 pages, the chart on 1; a refusing and an aborting queue failed" \
  "both, a stopped queue held the job, and the service down was said"
