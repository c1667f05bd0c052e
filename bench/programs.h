#pragma once

// Programs for the benchmarks, and the application that fonts and windows need.

#include "language/commandlists.h"

namespace fh::bench {

// A full program of 101 checked lines spread over the day: set-points, lights,
// steady and pulsed valves, in the order a grower might have typed them.
CommandLists fullDay();

// A widget application on the offscreen platform, unless one exists; the benchmark's
// main() makes none.
void needApplication();

} // namespace fh::bench
