#include "programs.h"

#include "files/programfile.h"
#include "language/datcheck.h"
#include "platform/doubles/doubles.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

void checkExampleLines(benchmark::State& state)
{
    const char* lines[] = {"T,4:00:33,78,84", "L,15:22:00,2/4/6,on", "W,12:00:00,1/3/5,p1,3s,10m"};
    for (auto _ : state)
        for (const char* line : lines)
            benchmark::DoNotOptimize(datcheck(line));
}
BENCHMARK(checkExampleLines);

// A full program from its file's bytes in memory to its pasteable code as text, as the
// yardstick goes: the read, combine, sort, fullparse, syncup and the code's lines.
void compileFullProgram(benchmark::State& state)
{
    const std::string bytes = fullDayBytes();
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock(12 * 3600);
    for (auto _ : state)
        benchmark::DoNotOptimize(compileFileText(bytes, clock, messages));
}
BENCHMARK(compileFullProgram)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fh::bench
