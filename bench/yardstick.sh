#!/usr/bin/env bash
# The compile of the benchmarks' 101-line program against the yardstick of the least
# work such a compile must do, on the same file: RUNS runs of each, alternating, so
# that both see the same load; the medians and their ratio.
# Usage: bench/yardstick.sh [RUNS]   (default 7; YARDSTICKS names the yardsticks' folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build-bench}
yardsticks=${YARDSTICKS:-../shared/yardsticks}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_BENCH=ON >/dev/null
cmake --build "$build" --target fernhollow_bench >/dev/null

runs=${1:-7}
compile=() yardstick=()
for ((i = 0; i < runs; ++i)); do
    compile+=("$("$build"/bench/fernhollow_bench --benchmark_filter='^compileFullProgram$' \
        --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_time_unit=us 2>/dev/null |
        awk '/_median/ {print $2}')")
    yardstick+=("$("$yardsticks/run.sh" bench/full-day.fhp | awk '{print $(NF-4)}')")
done
source bench/median.sh
sideBySide "compile of bench/full-day.fhp" "yardstick on the same file" "compile over the yardstick" us "$runs" \
    "${compile[*]}" "${yardstick[*]}"
