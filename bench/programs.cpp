#include "programs.h"

#include "files/programfile.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fh::bench {

CommandLists fullDay()
{
    std::ifstream file(FERNHOLLOW_BENCH_DIR "/full-day.fhp", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    CommandLists lists = readProgramFile(bytes.str()).lists;
    if (!file || lists[0].size() + lists[1].size() + lists[2].size() != 101)
        throw std::runtime_error("cannot read the benchmarks' program " FERNHOLLOW_BENCH_DIR "/full-day.fhp");
    return lists;
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
    static QApplication app(argc, argv);
    installFontSubstitutes();
}

} // namespace fh::bench
