#include "programs.h"

#include "compiler/day.h"
#include "files/programfile.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace fh::bench {

namespace {
// Made at the first benchmark that needs it and ended before main() returns: a static
// QApplication outlived Qt's own statics and crashed the exit.
std::unique_ptr<QApplication> application;
} // namespace

std::string fullDayBytes()
{
    std::ifstream file(FERNHOLLOW_BENCH_DIR "/full-day.fhp", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const CommandLists lists = readProgramFile(bytes.str()).lists;
    if (!file || lists[0].size() + lists[1].size() + lists[2].size() != 101)
        throw std::runtime_error("cannot read the benchmarks' program " FERNHOLLOW_BENCH_DIR "/full-day.fhp");
    return bytes.str();
}

CommandLists fullDay()
{
    return readProgramFile(fullDayBytes()).lists;
}

Program compiledFullDay()
{
    doubles::RecordingMessageBox messages;
    return compile(fullDay(), doubles::FakeClock(0), messages).value();
}

double readOneDaySeconds(const Program& program)
{
    constexpr int runs = 2000;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
        benchmark::DoNotOptimize(Cycle(program));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

void needApplication()
{
    static int argc = 1;
    static char name[] = "fernhollow_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QApplication>(argc, argv);
    installFontSubstitutes();
}

void endApplication()
{
    application.reset();
}

} // namespace fh::bench
