#!/usr/bin/env bash
# Installs what is missing, builds Fernhollow and starts it with the example program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec ./build/fernhollow "$@"
