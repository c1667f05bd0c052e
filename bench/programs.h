#pragma once

// Programs for the benchmarks, and the application that fonts and windows need.

#include "compiler/program.h"
#include "language/commandlists.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace fh::bench {

// A full program of 101 checked lines spread over the day: set-points, lights,
// steady and pulsed valves (bench/full-day.fhp, which bench/yardstick.sh hands to
// the compile yardstick too).
CommandLists fullDay();
// The bytes of that file.
std::string fullDayBytes();

// The full day compiled.
Program compiledFullDay();

// Seconds to read a program's days (Cycle) once, the mean of many runs: the baseline
// that the day's benchmarks divide their time by, timed in the same run.
double readOneDaySeconds(const Program& program);

// Runs `work` as the benchmark's loop and sets "x_read_one_day": its time over that of
// reading the program's days once, timed in the same run.
template <class Work>
void againstADay(benchmark::State& state, const Program& program, Work work)
{
    const double baseline = readOneDaySeconds(program);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        work();
    const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.counters["x_read_one_day"] = each / baseline;
}

// A widget application on the offscreen platform, unless one exists; the benchmark's
// main() makes none.
void needApplication();
// Ends the application, if any; main() calls it after the benchmarks.
void endApplication();

} // namespace fh::bench
