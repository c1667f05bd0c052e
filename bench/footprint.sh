#!/usr/bin/env bash
# Start-up time, peak memory and CPU use with the simulation running and off (each counted
# from 15 s after the switch, when the window is idle), offscreen
# unless QT_QPA_PLATFORM says otherwise, beside a bare Qt window whose label shows the
# time each second, run at the same time, and the ratios of the two; then the start-up
# against the bare window's: medians of RUNS runs of each, alternating, so that both see
# the same load, and their ratio.
# Usage: bench/footprint.sh [SECONDS [RUNS]]   (defaults 60 and 11; needs the bench build)
# Under Xvfb, CPU only: QT_QPA_PLATFORM=xcb xvfb-run -a bench/footprint.sh 60 0
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_BENCH=ON >/dev/null
cmake --build "$build" --target fernhollow_footprint fernhollow_barewindow >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
seconds=${1:-60}
if [ "$seconds" -gt 0 ]; then
    clock=$(mktemp)
    trap 'rm -f "$clock"' EXIT
    "$build"/bench/fernhollow_barewindow "$(date +%s%N)" "$seconds" >"$clock" 2>/dev/null &
    idle=$("$build"/bench/fernhollow_footprint "$(date +%s%N)" examples/greenhouse.fhp "$seconds")
    wait
    echo "$idle"
    grep CPU "$clock"
    paste <(echo "$idle" | grep '^CPU' | awk '{print $(NF-10)}') <(grep CPU "$clock" | awk '{print $(NF-10)}') |
        awk '{printf "CPU %s over the bare clock: %.2f\n", NR == 1 ? "running" : "off", $1 / $2}'
else
    "$build"/bench/fernhollow_footprint "$(date +%s%N)" examples/greenhouse.fhp 0
fi

runs=${2:-11}
[ "$runs" -gt 0 ] || exit 0
program=() bare=()
for ((i = 0; i < runs; ++i)); do
    program+=("$("$build"/bench/fernhollow_footprint "$(date +%s%N)" examples/greenhouse.fhp 0 2>/dev/null | awk '{print $(NF-1)}')")
    bare+=("$("$build"/bench/fernhollow_barewindow "$(date +%s%N)" 2>/dev/null | awk '{print $(NF-1)}')")
done
source bench/median.sh
sideBySide "start-up" "bare Qt window shown" "start-up over the bare window" ms "$runs" "${program[*]}" "${bare[*]}"
