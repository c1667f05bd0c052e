#!/usr/bin/env bash
# Start-up time, peak memory and CPU use with the simulation running and off, offscreen.
# Usage: bench/footprint.sh [SECONDS]   (default 60; needs the bench build)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFERNHOLLOW_BENCH=ON >/dev/null
cmake --build build-bench --target fernhollow_footprint >/dev/null
export QT_QPA_PLATFORM=offscreen
./build-bench/bench/fernhollow_footprint "$(date +%s%N)" examples/greenhouse.fhp "${1:-60}"
