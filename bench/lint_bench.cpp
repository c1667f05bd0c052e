#include "programs.h"

#include "checks/lint.h"

#include <benchmark/benchmark.h>

namespace fh::bench {
namespace {

// The check runs on every change in the windows, so a full program must take well
// under a keystroke's notice.
void lintFullProgram(benchmark::State& state)
{
    const CommandLists lists = fullDay();
    for (auto _ : state)
        benchmark::DoNotOptimize(lint(lists));
}
BENCHMARK(lintFullProgram)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fh::bench
