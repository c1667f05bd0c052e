#!/bin/sh
# Makes the pictures of README.md from examples/greenhouse.fhp: docs/form1.png (main window)
# and docs/form3.png (simulation window), taken while the simulation runs under a virtual
# X server, docs/readout.png (chart window, its readout under the mouse), docs/form5.png
# (program checks window, after a few faulty lines are typed in), docs/compare.png (those
# lines against the saved program), and docs/chart.png, drawn by `fernhollow chart`.
# Usage: docs/screenshot.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
program=examples/greenhouse.fhp

cmake -S . -B "$build" -G Ninja -DFERNHOLLOW_SCREENSHOTS=ON
cmake --build "$build" --target fernhollow fernhollow_screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/docs/fernhollow_screenshots" "$program" docs
"$build/fernhollow" chart "$program" -o docs/chart.png --size 1200x720
echo "wrote docs/form1.png docs/form3.png docs/readout.png docs/form5.png docs/compare.png docs/chart.png"
