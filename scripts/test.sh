#!/usr/bin/env bash
# Installs what is missing, builds Fernhollow and runs every test.
# --sanitize builds into build-asan with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the tests again there.
# FERNHOLLOW_WERROR=ON turns warnings in the project's own code into errors, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh

dir=build
flags=()
skip=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DFERNHOLLOW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  # Of the 200 programs why is compared with the simulation on, every tenth: they run the
  # same code as the rest, each several times slower under the sanitizers.
  skip=(-E 'WhyAgreement\..*/[0-9]*[1-9]$')
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
cmake -S . -B "$dir" -G Ninja -DFERNHOLLOW_WERROR="${FERNHOLLOW_WERROR:-OFF}" "${flags[@]}"
cmake --build "$dir"
ctest --test-dir "$dir" --output-on-failure --timeout 300 -j"$(nproc)" "${skip[@]}"
