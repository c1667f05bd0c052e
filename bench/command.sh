#!/usr/bin/env bash
# One command as a whole process against the least a command can be: the CPU time of
# `fernhollow compile examples/greenhouse.fhp` over that of fernhollow_baseline, a QtCore
# program that reads the same file and writes its lines. BLOCKS blocks of RUNS runs of
# each, alternating, so that both see the same load; the median of the blocks' ratios.
# Usage: bench/command.sh [BLOCKS [RUNS]]   (defaults 9 and 20; FERNHOLLOW names the
# executable, by default the bench build's)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_BENCH=ON >/dev/null
cmake --build "$build" --target fernhollow fernhollow_baseline >/dev/null
program=${FERNHOLLOW:-"$build"/fernhollow}
blocks=${1:-9} runs=${2:-20}
file=examples/greenhouse.fhp

# The CPU seconds (user and system) of RUNS runs of COMMAND..., children's only.
cpu() {
    (for ((r = 0; r < runs; ++r)); do "$@" >/dev/null; done; times) | tail -1 |
        awk '{ t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } print t }'
}

ratios=() command=() baseline=()
for ((b = 0; b < blocks; ++b)); do
    c=$(cpu "$program" compile "$file")
    q=$(cpu "$build"/bench/fernhollow_baseline "$file")
    command+=("$c") baseline+=("$q")
    ratios+=("$(awk -v c="$c" -v q="$q" 'BEGIN {print c / q}')")
done
source bench/median.sh
awk -v c="$(median "${command[@]}")" -v q="$(median "${baseline[@]}")" -v n="$runs" 'BEGIN {
    printf "compile as a process, median of blocks: %.1f ms\n", c * 1000 / n
    printf "QtCore baseline, median of blocks: %.1f ms\n", q * 1000 / n }'
printf 'compile over the baseline, median of %s blocks: %.2f\n' "$blocks" "$(median "${ratios[@]}")"
