#!/usr/bin/env bash
# The program as installed (into a scratch DESTDIR): the executable links no Qt above
# QtCore; it and its modules, installed and built, name no library search path (an empty
# entry would be the current folder); a command that draws nothing loads no QtGui, one
# that draws loads no windows, and the windows still open from their module.
# Usage: installed_tiers.sh BUILD_DIR EXAMPLES_DIR
set -euo pipefail
build=$1 examples=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
exe=$root/usr/bin/fernhollow
status=0
fail() { echo "installed_tiers: $*" >&2; status=1; }

needed=$(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
grep -q '^libQt6Core' <<<"$needed" || fail "readelf finds no NEEDED entries in $exe"
if grep -E '^libQt6(Gui|Widgets|PrintSupport|Svg)' <<<"$needed"; then
  fail "the installed fernhollow links the above"
fi

for f in "$exe" "$root"/usr/lib/*/fernhollow/*.so "$build"/fernhollow "$build"/lib/fernhollow/*.so; do
  if readelf -d "$f" | grep -E '\((RPATH|RUNPATH)\)'; then
    fail "$f has the above"
  fi
done

# The libraries one run initialises, as ld.so lists them.
loaded() { LD_DEBUG=libs "$@" 2>&1 >/dev/null | sed -n 's/.*calling init: //p'; }
example=$examples/greenhouse.fhp
for command in "compile $example" "lint $example" "state $example --at 06:00:00" "totals $example" \
               "check L,6,1,ON" "simulate $example --at 06:00:00 --seconds 5"; do
  # shellcheck disable=SC2086
  libs=$(loaded "$exe" $command)
  grep -q 'libQt6Core' <<<"$libs" || fail "LD_DEBUG shows nothing loaded for: $command"
  if grep -E 'libQt6(Gui|Widgets|PrintSupport)' <<<"$libs"; then
    fail "fernhollow $command loads the above"
  fi
done

libs=$(QT_QPA_PLATFORM=offscreen loaded "$exe" chart "$example" -o "$root/chart.png")
[ -s "$root/chart.png" ] || fail "the installed chart command wrote no picture"
grep -q 'libQt6Gui' <<<"$libs" || fail "the chart drew without QtGui?"
if grep -E 'libQt6(Widgets|PrintSupport)' <<<"$libs"; then
  fail "fernhollow chart loads the above"
fi

# Without a display the window's module is loaded and says so itself.
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" 2>&1 && echo "status 0" || echo "status $?")
grep -q '^fernhollow: cannot open the window: no display' <<<"$said" || fail "the window's module did not answer: $said"
grep -q '^status 2$' <<<"$said" || fail "without a display: $said"
exit $status
