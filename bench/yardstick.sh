#!/usr/bin/env bash
# The compile of the benchmarks' 101-line program against the yardstick of the least
# work such a compile must do, on the same file: BLOCKS blocks of one run of each
# (the compile a median of 3 repetitions), alternating, so that both see the same load;
# the medians, and the median of the blocks' ratios, which a burst of load on a shared
# machine moves least.
# Usage: bench/yardstick.sh [BLOCKS]   (default 9; YARDSTICKS names the yardsticks' folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build-bench}
yardsticks=${YARDSTICKS:-../shared/yardsticks}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_BENCH=ON >/dev/null
cmake --build "$build" --target fernhollow_bench >/dev/null

blocks=${1:-9}
compile=() yardstick=() ratios=()
for ((i = 0; i < blocks; ++i)); do
    c=$("$build"/bench/fernhollow_bench --benchmark_filter='^compileFullProgram$' \
        --benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_time_unit=us 2>/dev/null |
        awk '/_median/ {print $2}')
    y=$("$yardsticks/run.sh" bench/full-day.fhp | awk '{print $(NF-4)}')
    compile+=("$c") yardstick+=("$y")
    ratios+=("$(awk -v c="$c" -v y="$y" 'BEGIN {print c / y}')")
done
source bench/median.sh
echo "compile of bench/full-day.fhp, median of $blocks: $(median "${compile[@]}") us"
echo "yardstick on the same file, median of $blocks: $(median "${yardstick[@]}") us"
printf 'compile over the yardstick, median of %s blocks: %.2f\n' "$blocks" "$(median "${ratios[@]}")"
