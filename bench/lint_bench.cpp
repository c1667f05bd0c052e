#include "programs.h"

#include "checks/feedback.h"
#include "checks/lint.h"
#include "cli/cli.h"
#include "compiler/program.h"
#include "files/programfile.h"
#include "language/datcheck.h"
#include "platform/doubles/doubles.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>
#include <string>
#include <utility>

namespace fh::bench {
namespace {

// The check runs on every change in the windows, so a full program must take well
// under a keystroke's notice.
void lintFullProgram(benchmark::State& state)
{
    const CommandLists lists = fullDay();
    for (auto _ : state)
        benchmark::DoNotOptimize(lint(lists, Display{}));
}
BENCHMARK(lintFullProgram)->Unit(benchmark::kMicrosecond);

// The yardstick for the checks after Enter: the line check of the same 101 lines.
void checkFullProgramLines(benchmark::State& state)
{
    const CommandLists lists = fullDay();
    for (auto _ : state)
        for (const auto& list : lists)
            for (const std::string& line : list)
                benchmark::DoNotOptimize(datcheck(line));
}
BENCHMARK(checkFullProgramLines)->Unit(benchmark::kMicrosecond);

// Enter files the 101st line: the whole check again (the line check on the new line only,
// the typed text kept as written), what is new since the entry and the status line. Under 100 µs;
// the check before the entry is kept from the change before.
void checksAfterFiling(benchmark::State& state)
{
    const CommandLists after = fullDay();
    CommandLists before = after;
    const std::size_t list = before[2].empty() ? 0 : 2;
    const std::string typed = before[list].back();
    before[list].pop_back();
    const Finding::Item at{list, before[list].size()};
    LineMemo primed;
    const std::vector<Finding> was = lint(before, Display{}, AsWritten{}, primed);
    for (auto _ : state) {
        state.PauseTiming();
        LineMemo memo = primed;
        AsWritten written;
        state.ResumeTiming();
        written.typed(after, at, typed);
        const std::vector<Finding> now = lint(after, Display{}, written, memo);
        const std::vector<Finding> told = filedFindings(at, {before, was}, {after, now});
        benchmark::DoNotOptimize(filedStatus(typed, {}, told, now));
    }
}
BENCHMARK(checksAfterFiling)->Unit(benchmark::kMicrosecond);

// `count` filed lines far beyond a program's 101, a second apart: with `mixed`, set-points,
// lights and, half of them, valves pulsed by the six timers at one pair of times each (the
// most a timer check has to compare); else only such pulsed lines.
CommandLists manyLines(int count, bool mixed)
{
    CommandLists lists;
    for (int i = 0; i < count; ++i) {
        const int second = i % secondsPerDay;
        const std::string time = formatTime(second);
        const std::string id = std::to_string(i % 6 + 1);
        const int kind = mixed ? i % 4 : 3;
        std::string line;
        if (kind == 0)
            line = "T," + time + ",60,80";
        else if (kind == 1)
            line = "L," + time + "," + id + (i % 8 == 1 ? ",ON" : ",OFF");
        else
            line = "W," + time + "," + id + ",P" + std::to_string(i % 6 + 1) + ",5S,10M";
        lists[static_cast<std::size_t>(listOf(line))].push_back(line);
    }
    return lists;
}

// What every line costs before any whole-program check: the line check alone, the
// yardstick the whole check is compared with in the same run.
void checkEachLine(benchmark::State& state)
{
    const CommandLists lists = manyLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        for (const auto& list : lists)
            for (const std::string& line : list)
                benchmark::DoNotOptimize(datcheck(line));
}
BENCHMARK(checkEachLine)->Args({20000, 1})->Args({40000, 0})->Unit(benchmark::kMillisecond);

// Under 50 ms for 20,000 lines: every check is linear or n log n.
void lintManyLines(benchmark::State& state)
{
    const CommandLists lists = manyLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(lint(lists, Display{}));
}
BENCHMARK(lintManyLines)->Args({20000, 1})->Args({40000, 0})->Unit(benchmark::kMillisecond);

// A folder of `count` program files of 101 lines each, f0.fhp on, each at other times:
// set-points, lights switched on and off, valves pulsed by the six timers and switched off.
doubles::MemoryTextFiles programFolder(int count)
{
    doubles::MemoryTextFiles folder;
    for (int i = 0; i < count; ++i) {
        CommandLists lists;
        for (int k = 0; k < 101; ++k) {
            // 853 s apart, so the 101 lines of a file fall in 101 different seconds.
            const std::string time = formatTime((k * 853 + i * 37) % secondsPerDay);
            const std::string id = std::to_string((k + i) % 6 + 1);
            std::string line;
            if (k % 3 == 0)
                line = "T," + time + "," + std::to_string(60 + k % 8) + "," + std::to_string(75 + k % 8);
            else if (k % 3 == 1)
                line = "L," + time + "," + id + (k % 2 == 0 ? ",ON" : ",OFF");
            else
                line = "W," + time + "," + id + (k % 4 == 1 ? ",OFF" : ",P" + id + ",5S,10M");
            lists[static_cast<std::size_t>(listOf(line))].push_back(line);
        }
        folder.files["f" + std::to_string(i) + ".fhp"] = writeProgramFile(lists);
    }
    return folder;
}

double secondsOf(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// A grower's folder of 1,000 programs checked by one `fernhollow lint`, in memory; under
// 0.5 s. "x_load_and_compile" is its time over that of loading and compiling the same
// 1,000 programs, measured here in the same run.
void lintThousandFiles(benchmark::State& state)
{
    doubles::MemoryTextFiles folder = programFolder(1000);
    cli::Args args{"lint"};
    for (const auto& file : folder.files)
        args.push_back(file.first);
    doubles::NamedPrinters printers;
    doubles::FakeClock clock(12 * 3600);
    const cli::Devices devices{folder, [](const std::string&) { return true; }, printers, clock, [](int) {},
                               [](std::ostream&) -> cli::Drawing* { return nullptr; }};

    using Clock = std::chrono::steady_clock;
    constexpr int baselineRuns = 5;
    doubles::RecordingMessageBox messages;
    const auto baselineStart = Clock::now();
    for (int run = 0; run < baselineRuns; ++run)
        for (const auto& file : folder.files)
            benchmark::DoNotOptimize(compile(readProgramFile(file.second).lists, clock, messages));
    const double baseline = secondsOf(Clock::now() - baselineStart) / baselineRuns;

    const auto lintAll = [&] {
        std::istringstream in;
        std::ostringstream out, err;
        const int status = cli::run(args, {in, out, err}, devices);
        return std::pair{status, out.str().size()};
    };
    const auto [status, printed] = lintAll();
    if (status == 2) {
        state.SkipWithError("a generated file could not be read");
        return;
    }
    const auto start = Clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(lintAll());
    const double each = secondsOf(Clock::now() - start) / static_cast<double>(state.iterations());
    state.counters["x_load_and_compile"] = each / baseline;
    state.counters["printed_bytes"] = static_cast<double>(printed);
}
BENCHMARK(lintThousandFiles)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fh::bench
