#pragma once

// Programs for the benchmarks, and the application that fonts and windows need.

#include "language/commandlists.h"

#include <string>

namespace fh::bench {

// A full program of 101 checked lines spread over the day: set-points, lights,
// steady and pulsed valves (bench/full-day.fhp, which bench/yardstick.sh hands to
// the compile yardstick too).
CommandLists fullDay();
// The bytes of that file.
std::string fullDayBytes();

// A widget application on the offscreen platform, unless one exists; the benchmark's
// main() makes none.
void needApplication();
// Ends the application, if any; main() calls it after the benchmarks.
void endApplication();

} // namespace fh::bench
