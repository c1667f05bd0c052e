#include "programs.h"

#include "compiler/day.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

// The state at one second of a full program, from the compiled program alone.
void stateAtASecond(benchmark::State& state)
{
    const Program program = compiledFullDay();
    int second = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Cycle(program).days().front().at(second));
        second = (second + 3607) % secondsPerDay;
    }
}
BENCHMARK(stateAtASecond)->Unit(benchmark::kMicrosecond);

// Reading one day, the yardstick of the totals: they, the light and the dark among
// them, are to stay under twice this.
void readADay(benchmark::State& state)
{
    const Program program = compiledFullDay();
    for (auto _ : state)
        benchmark::DoNotOptimize(Cycle(program).days().front());
}
BENCHMARK(readADay)->Unit(benchmark::kMicrosecond);

void totalsOfADay(benchmark::State& state)
{
    const Program program = compiledFullDay();
    for (auto _ : state)
        benchmark::DoNotOptimize(totalsOf(Cycle(program).days().front()));
}
BENCHMARK(totalsOfADay)->Unit(benchmark::kMicrosecond);

// The chart window's readout once the day is read: one lookup per mouse move.
void readoutLookup(benchmark::State& state)
{
    const DayStates day = Cycle(compiledFullDay()).days().front();
    int second = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(day.at(second));
        second = (second + 3607) % secondsPerDay;
    }
}
BENCHMARK(readoutLookup);

} // namespace
} // namespace fh::bench
