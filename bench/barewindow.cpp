// The baselines for the desktop program: a bare Qt window of the main window's size
// holding one label, under the same platform. Shown, then quit, it is the start-up's;
// with SECONDS, its label shows the time each second, as a plain QLabel does, and it
// is the idle CPU's: measured twice, as the program's is (simulation running, then off),
// each for SECONDS from a quarter of a minute on, so that run beside the program both
// see the same load.
//
// Usage: fernhollow_barewindow START_NS [SECONDS]
// START_NS is the wall clock (ns since the epoch) taken just before this process
// was started, so the time includes loading the libraries.

#include "idle.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTime>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fernhollow_barewindow START_NS [SECONDS]\n");
        return 2;
    }
    const long long startNs = std::atoll(argv[1]);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;

    QApplication app(argc, argv);
    QMainWindow window;
    // A label draws text, so the fonts load as they do in the program.
    auto* label = new QLabel(QStringLiteral("Greenhouse Control"));
    window.setCentralWidget(label);
    window.resize(897, 468);
    window.show();
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("bare window shown: %.1f ms\n", static_cast<double>(fh::bench::nowNs() - startNs) / 1e6);
    std::fflush(stdout);
    if (seconds <= 0)
        return 0;

    QTimer clock;
    clock.setTimerType(Qt::PreciseTimer);
    QObject::connect(&clock, &QTimer::timeout, label, [label] { label->setText(QTime::currentTime().toString()); });
    clock.start(1000);
    for (const char* phase : {"first", "second"})
        std::printf("CPU of the bare window's clock, %s phase: %.3f %% of one core over %d s after %d s\n", phase,
                    fh::bench::cpuWhileIdle(seconds), seconds, fh::bench::settleSeconds);
    return 0;
}
