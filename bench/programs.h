#pragma once

// Programs for the benchmarks.

#include "language/editor.h"

namespace fh::bench {

// A full program of 101 checked lines spread over the day: set-points, lights,
// steady and pulsed valves, in the order a grower might have typed them.
CommandLists fullDay();

} // namespace fh::bench
