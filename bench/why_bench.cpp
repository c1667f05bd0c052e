#include "programs.h"

#include "compiler/why.h"
#include "files/export.h"

#include <chrono>

namespace fh::bench {
namespace {

// The cycle of the 101-line program read for `why` and the exports.
void readTheCycle(benchmark::State& state)
{
    const Program program = compiledFullDay();
    const CommandLists lists = fullDay();
    againstADay(state, program, [&] { benchmark::DoNotOptimize(DayReasons(program, lists)); });
}
BENCHMARK(readTheCycle)->Unit(benchmark::kMicrosecond);

// `fernhollow why` at one second once the cycle is read: every item, as the command
// asks when none is named.
void whyAtASecond(benchmark::State& state)
{
    const Program program = compiledFullDay();
    const DayReasons reasons(program, fullDay());
    const Display display;
    int second = 0;
    againstADay(state, program, [&] {
        for (int item = 0; item < dayItemCount; ++item)
            benchmark::DoNotOptimize(reasons.why(0, second, item, display));
        second = (second + 3607) % secondsPerDay;
    });
}
BENCHMARK(whyAtASecond)->Unit(benchmark::kMicrosecond);

// The day written in each form once the cycle is read.
template <typename Write>
void exportDay(benchmark::State& state, Write write)
{
    const Program program = compiledFullDay();
    const DayReasons reasons(program, fullDay());
    againstADay(state, program, [&] { benchmark::DoNotOptimize(write(reasons)); });
}

void exportCsv(benchmark::State& state)
{
    exportDay(state, [](const DayReasons& reasons) { return dayCsv(reasons, Display()); });
}
BENCHMARK(exportCsv)->Unit(benchmark::kMicrosecond);

void exportIcs(benchmark::State& state)
{
    using namespace std::chrono;
    const year_month_day first{year(2027), month(3), day(1)};
    const sys_seconds stamp = sys_days(first);
    exportDay(state, [&](const DayReasons& reasons) {
        return dayCalendar(reasons, Display(), first, stamp, "full-day.fhp");
    });
}
BENCHMARK(exportIcs)->Unit(benchmark::kMicrosecond);

void exportVcd(benchmark::State& state)
{
    exportDay(state, [](const DayReasons& reasons) { return dayWaveform(reasons, Display()); });
}
BENCHMARK(exportVcd)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fh::bench
