// Start-up time, peak memory and idle CPU of the desktop program, under the
// offscreen platform: the real Application, shown, then a minute (or the seconds
// given) with the simulation running on the example program, and as long with it off,
// each counted from a quarter of a minute after the switch.
// With 0 seconds it stops after the start-up.
//
// Usage: fernhollow_footprint START_NS PROGRAM_FILE [SECONDS]
// START_NS is the wall clock (ns since the epoch) taken just before this process
// was started, so the start-up time includes loading the libraries.

#include "app/application.h"
#include "app/gui.h"
#include "idle.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtdevices.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

using fh::bench::cpuWhileIdle;
using fh::bench::nowNs;
using fh::bench::settleSeconds;

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fernhollow_footprint START_NS PROGRAM_FILE [SECONDS]\n");
        return 2;
    }
    const long long startNs = std::atoll(argv[1]);
    const std::string program = argv[2];
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;

    fh::gui::prepareWindowSystem();
    QApplication app(argc, argv);
    fh::QtClock clock;
    // The user's settings stay as they are.
    fh::doubles::MemorySettings settings;
    fh::Application application(clock, settings);
    application.show();
    const QWindow* window = application.mainWindow().windowHandle();
    while (!window->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("start-up to main window shown: %.1f ms\n", static_cast<double>(nowNs() - startNs) / 1e6);
    std::fflush(stdout);
    if (seconds <= 0)
        return 0;

    application.open(program);
    application.mainWindow().menus().simOnAction->trigger();
    std::printf("CPU with the simulation running: %.3f %% of one core over %d s after %d s\n",
                cpuWhileIdle(seconds), seconds, settleSeconds);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024);
    std::fflush(stdout);

    application.mainWindow().menus().simOffAction->trigger();
    std::printf("CPU with the simulation off: %.3f %% of one core over %d s after %d s\n", cpuWhileIdle(seconds),
                seconds, settleSeconds);
    return 0;
}
