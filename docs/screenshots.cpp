// Pictures of the main window and of the simulation window for README.md, taken while
// the simulation runs. The windows are the real ones, built by Application; a fake clock
// switches the simulation on before dawn and then moves to a morning moment with lamps
// lit and a pulsed valve running, so the pictures do not depend on the time they are made.
// Usage: fernhollow_screenshots PROGRAM OUTDIR

#include "app/application.h"
#include "platform/doubles/doubles.h"
#include "gui/form3.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int hour = 3600;

// Lets the event loop run: activation, painting and the ticks of Timer1.
void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget& window, const QString& path)
{
    if (window.grab().save(path))
        return true;
    std::fprintf(stderr, "fernhollow_screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fernhollow_screenshots PROGRAM OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fh::doubles::FakeClock clock{5 * hour};
    fh::Application application(clock);
    application.open(argv[1]);
    application.show();
    settle(200);

    application.mainWindow().menus().sson->trigger();
    settle(100);
    // The simulation makes the ticks of the skipped seconds in order, so every line up
    // to this moment has taken effect.
    clock.set(8 * hour + 9 * 60 + 10);
    settle(500);

    const QString dir = QString::fromLocal8Bit(argv[2]);
    const bool saved = save(application.mainWindow(), dir + "/form1.png") &&
                       save(application.simulationControls().form3(), dir + "/form3.png");
    return saved ? 0 : 1;
}
