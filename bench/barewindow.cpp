// The baseline for the desktop program's start-up: a bare Qt window of the main
// window's size holding one label, shown, then quit, under the same platform.
//
// Usage: fernhollow_barewindow START_NS
// START_NS is the wall clock (ns since the epoch) taken just before this process
// was started, so the time includes loading the libraries.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fernhollow_barewindow START_NS\n");
        return 2;
    }
    const long long startNs = std::atoll(argv[1]);

    QApplication app(argc, argv);
    QMainWindow window;
    // A label draws text, so the fonts load as they do in the program.
    window.setCentralWidget(new QLabel(QStringLiteral("Greenhouse Control")));
    window.resize(897, 468);
    window.show();
    while (!window.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    const long long nowNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::printf("bare window shown: %.1f ms\n", static_cast<double>(nowNs - startNs) / 1e6);
    return 0;
}
