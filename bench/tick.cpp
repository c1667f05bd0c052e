// The work of one idle second of the desktop program, which footprint.sh can only
// see as a fraction of a per cent: the real Application on a clock moved by hand,
// shown, with the simulation running, then off. Each second is timed from the clock's
// move until its paint is flushed, after a tenth of a second asleep: a process that
// sleeps between seconds finds its caches and address translations cold, and on this
// kind of machine that costs several times the work itself, so what a second costs
// grows with the code it runs more than with the time that code takes warm. The
// median CPU time of one second, in microseconds.
//
// Usage: fernhollow_tick PROGRAM_FILE [SECONDS]   (default 300 of each)

#include "app/application.h"
#include "app/gui.h"
#include "platform/doubles/doubles.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>
#include <vector>

namespace {

double cpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

double medianSecond(fh::doubles::FakeClock& clock, int seconds)
{
    std::vector<double> costs;
    for (int s = 0; s < seconds; ++s) {
        const timespec tenth{0, 100'000'000};
        nanosleep(&tenth, nullptr);
        const double before = cpuMicroseconds();
        clock.advance();
        QApplication::processEvents();
        QApplication::processEvents();
        costs.push_back(cpuMicroseconds() - before);
    }
    std::nth_element(costs.begin(), costs.begin() + seconds / 2, costs.end());
    return costs[static_cast<std::size_t>(seconds / 2)];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fernhollow_tick PROGRAM_FILE [SECONDS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int seconds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 300);

    fh::gui::prepareWindowSystem();
    QApplication app(argc, argv);
    fh::doubles::FakeClock clock(12 * 3600);
    fh::doubles::MemorySettings settings;
    fh::Application application(clock, settings);
    application.show();
    while (!application.mainWindow().windowHandle()->isExposed())
        QApplication::processEvents();
    application.open(program);
    application.mainWindow().menus().simOnAction->trigger();
    medianSecond(clock, 20);
    std::printf("one second with the simulation running: %.0f us\n", medianSecond(clock, seconds));
    application.mainWindow().menus().simOffAction->trigger();
    medianSecond(clock, 20);
    std::printf("one second with the simulation off: %.0f us\n", medianSecond(clock, seconds));
    return 0;
}
