#include "programs.h"

#include "compiler/daydiff.h"
#include "platform/doubles/doubles.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

Program compiled(const CommandLists& lists)
{
    doubles::RecordingMessageBox messages;
    return compile(lists, doubles::FakeClock(0), messages).value();
}

// The full day with what a grower changes: one pulse time longer, one line a second
// later, one line more.
CommandLists changedDay()
{
    CommandLists lists = fullDay();
    auto& water = lists[2];
    for (std::string& line : water)
        if (const auto at = line.find(",5S,"); at != std::string::npos) {
            line.replace(at, 4, ",9S,");
            break;
        }
    std::string& light = lists[1].front();
    light[9] = light[9] == '9' ? '8' : static_cast<char>(light[9] + 1);
    water.pop_back();
    water.push_back("W,23:59:59,6,OFF");
    return lists;
}

// The whole comparison of two compiled 101-line programs: differences, the lines only in
// one, the changed totals. "x_read_one_day" is its time over that of reading one
// program's days (Cycle), measured here in the same run.
void differenceOfTwoPrograms(benchmark::State& state)
{
    const CommandLists listsA = fullDay(), listsB = changedDay();
    const Program a = compiled(listsA), b = compiled(listsB);
    const Display display;
    againstADay(state, a, [&] { benchmark::DoNotOptimize(compareDays(a, listsA, b, listsB, display)); });
    state.counters["differences"] = static_cast<double>(compareDays(a, listsA, b, listsB, display).differences.size());
}
BENCHMARK(differenceOfTwoPrograms)->Unit(benchmark::kMicrosecond);

// The baseline on its own: one program's day read once.
void readOneDay(benchmark::State& state)
{
    const Program program = compiled(fullDay());
    for (auto _ : state)
        benchmark::DoNotOptimize(Cycle(program));
}
BENCHMARK(readOneDay)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fh::bench
