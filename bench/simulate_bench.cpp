#include "programs.h"

#include "compiler/program.h"
#include "language/editor.h"
#include "platform/doubles/doubles.h"
#include "simulation/simulation.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

// One simulated day of the full program: 86,400 ticks, each with blinky and sim.
void simulatedDay(benchmark::State& state)
{
    doubles::FakeClock clock;
    doubles::CountingBeeper beeper;
    doubles::RecordingMessageBox messages;
    Editor editor(messages);
    editor.replaceLists(fullDay());
    Program program;
    Simulation sim(program, editor, clock, beeper, messages);
    sim.startUp();
    sim.tick();
    sim.switchOn();
    for (auto _ : state) {
        for (int s = 0; s < secondsPerDay; ++s) {
            clock.advance();
            sim.tick();
        }
        benchmark::DoNotOptimize(sim.greenhouse());
    }
    state.counters["lines"] = program.proglast() + 1;
}
BENCHMARK(simulatedDay)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fh::bench
