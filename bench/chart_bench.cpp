#include "programs.h"

#include "chart/chart.h"
#include "draw/chartpicture.h"
#include "platform/displaylist.h"
#include "compiler/program.h"
#include "platform/doubles/doubles.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

// What "Plot GH Control" costs for a full program: compile, walk, paint a window.
void chartFullProgram(benchmark::State& state)
{
    needApplication();
    const CommandLists lists = fullDay();
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock(12 * 3600);
    for (auto _ : state) {
        ChartState chartState;
        DisplayList chart;
        plot(compile(lists, clock, messages).value(), Display{}, chartState, chart, messages);
        benchmark::DoNotOptimize(chartImage(chart, QSize(1680, 1008)).constBits());
    }
}
BENCHMARK(chartFullProgram)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fh::bench
