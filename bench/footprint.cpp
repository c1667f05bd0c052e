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
#include "platform/doubles/doubles.h"
#include "platform/qt/qtdevices.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

namespace {

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The event loop for `seconds`.
void runFor(QApplication& app, int seconds)
{
    // exit(), not quit(): quit() first asks every window to close, and the simulation window refuses.
    QTimer::singleShot(seconds * 1000, &app, [] { QCoreApplication::exit(0); });
    QApplication::exec();
}

// A switch's own work (the simulation window shown and painted, or hidden) and the
// text cursor's ten seconds of blinking after an activation are over by then.
constexpr int settleSeconds = 15;

// Share of one core the program takes, in per cent, while the event loop runs
// `seconds` after it has settled.
double cpuWhileIdle(QApplication& app, int seconds)
{
    runFor(app, settleSeconds);
    const double before = cpuSeconds();
    runFor(app, seconds);
    return 100 * (cpuSeconds() - before) / seconds;
}

} // namespace

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
                cpuWhileIdle(app, seconds), seconds, settleSeconds);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024);
    std::fflush(stdout);

    application.mainWindow().menus().simOffAction->trigger();
    std::printf("CPU with the simulation off: %.3f %% of one core over %d s after %d s\n", cpuWhileIdle(app, seconds),
                seconds, settleSeconds);
    return 0;
}
