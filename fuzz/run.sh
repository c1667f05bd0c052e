#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 30) on its corpus.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]   targets: datcheck programfile pipeline decode
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(datcheck programfile pipeline decode)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERNHOLLOW_FUZZ=ON >/dev/null
for t in "${targets[@]}"; do
  cmake --build build-fuzz --target "fuzz_$t"
done
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$t/." "$work/"
  echo "== fuzz_$t for ${seconds}s"
  status=0
  ./build-fuzz/fuzz/"fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/$t-" "$work" >"build-fuzz/$t.log" 2>&1 || status=$?
  rm -rf "$work"
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "build-fuzz/$t.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "build-fuzz/$t.log"
    echo "fuzz_$t found a fault (status $status)"
    exit 1
  fi
done
