#include "programs.h"

#include "compiler/program.h"
#include "gui/checkcontrols.h"
#include "gui/compilercontrols.h"
#include "gui/form1.h"
#include "gui/simcontrols.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include <QAction>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

// One simulated day of the full program: 86,400 ticks, each with blinky and sim.
void simulatedDay(benchmark::State& state)
{
    doubles::FakeClock clock;
    doubles::CountingBeeper beeper;
    doubles::RecordingMessageBox messages;
    Session session(messages, clock);
    session.open(fullDay());
    const Program& program = session.program();
    Simulation sim(program, session.codeView(), [&](const Clock& at) { return session.compile(at); }, clock,
                   beeper, messages);
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

// One wall second of preview at 3600x in the real windows, shown offscreen: 3,600
// engine ticks, and after each batch a render and its paint. A preview stays under a
// tenth of a core while this stays under 100 ms.
void previewWallSecond(benchmark::State& state)
{
    needApplication();
    doubles::FakeClock clock(6 * 3600);
    doubles::FakeWallTimer wall;
    doubles::CountingBeeper beeper;
    doubles::RecordingMessageBox messages;
    PreviewClock previewClock(clock, wall);
    PreviewBeeper quiet(beeper, previewClock);
    Session session(messages, clock);
    session.open(fullDay());
    Form1 form1(session, messages);
    CompilerControls compiler(form1, session);
    CheckControls checks(form1, session, messages);
    Simulation sim(session.program(), session.codeView(), [&](const Clock& at) { return session.compile(at); },
                   previewClock, quiet, messages);
    Preview preview(sim, previewClock, quiet);
    SimulationControls controls(form1, sim, preview, session.display());
    form1.show();
    controls.startUp();
    form1.menus().simOnAction->trigger();
    preview.setSpeed(previewSpeeds.size() - 1);
    preview.playOrPause();
    int ticks = 0;
    for (auto _ : state) {
        const int before = sim.simsecs();
        for (long long ms = 0; ms < 1000; ms += PreviewClock::batchMilliseconds) {
            wall.advance(PreviewClock::batchMilliseconds);
            QCoreApplication::processEvents();
        }
        ticks += (sim.simsecs() - before + secondsPerDay + 1) % (secondsPerDay + 1);
    }
    state.counters["ticks"] = benchmark::Counter(ticks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(previewWallSecond)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fh::bench
