#include "programs.h"

#include "language/datcheck.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>

#include <string>

namespace fh::bench {

CommandLists fullDay()
{
    CommandLists lists;
    for (int i = 0; i < 101; ++i) {
        const int minutes = (i * 577) % 1440; // scattered, so the sort has work to do
        const std::string time = std::to_string(minutes / 60) + ":" + std::to_string(minutes % 60) + ":" + std::to_string(i % 60);
        const std::string id = std::to_string(i % 6 + 1) + "/" + std::to_string((i + 2) % 6 + 1);
        std::string line;
        switch (i % 4) {
        case 0: line = "T," + time + "," + std::to_string(60 + i % 10) + "," + std::to_string(75 + i % 10); break;
        case 1: line = "L," + time + "," + id + (i % 8 == 1 ? ",ON" : ",OFF"); break;
        case 2: line = "W," + time + "," + id + ",P" + std::to_string(i % 6 + 1) + ",5S,10M"; break;
        default: line = "W," + time + "," + id + (i % 8 == 3 ? ",ON" : ",OFF"); break;
        }
        const CheckResult r = datcheck(line);
        lists[static_cast<std::size_t>(listOf(r.cmdline))].push_back(r.cmdline);
    }
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
