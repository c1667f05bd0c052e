// Pictures of the main window and of the simulation window for README.md, taken while
// the simulation runs. The windows are the real ones, built by Application; a fake clock
// switches the simulation on before dawn and then moves to a morning moment with lamps
// lit and a pulsed valve running, so the pictures do not depend on the time they are made.
// The chart window follows, its readout under the mouse on a pulsed valve's trace.
// Then a few faulty lines are typed in, for a picture of the program checks window, and
// the lists are compared with the file as saved.
// Usage: fernhollow_screenshots PROGRAM OUTDIR

#include "app/application.h"
#include "chart/chart.h"
#include "platform/doubles/doubles.h"
#include "gui/comparewindow.h"
#include "gui/form3.h"
#include "gui/form4.h"
#include "gui/form5.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
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

// As typed into the entry box and entered.
void enter(QWidget& form1, const char* line)
{
    auto* text6 = form1.findChild<QLineEdit*>(QStringLiteral("Text6"));
    text6->setText(QString::fromLatin1(line));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(text6, &enter);
}

// The chart window with the mouse at `hours` of the day on the trace at `level`, its
// readout shown.
bool saveReadout(fh::Application& application, double hours, double level, const QString& path)
{
    application.mainWindow().menus().plotAction->trigger();
    fh::Form4* chart = application.chartControls().chartWindow();
    if (!chart) {
        std::fprintf(stderr, "fernhollow_screenshots: no chart window\n");
        return false;
    }
    chart->showNormal();
    chart->resize(1000, 420);
    settle(300);
    // The day's 24 hours span the middle of 28, and its levels 24 from the chart's top.
    const QPointF at((hours + 2) / 28 * chart->width(), (fh::chartTop - level) / 24 * chart->height());
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
    settle(100);
    const auto* readout = chart->findChild<QLabel*>(QStringLiteral("Readout"));
    if (!readout || !readout->isVisible()) {
        std::fprintf(stderr, "fernhollow_screenshots: the chart shows no readout\n");
        return false;
    }
    const bool saved = save(*chart, path);
    chart->close();
    return saved;
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
    fh::doubles::MemorySettings settings;
    fh::Application application(clock, settings);
    application.open(argv[1]);
    application.show();
    settle(200);

    application.mainWindow().menus().simOnAction->trigger();
    settle(100);
    // The simulation makes the ticks of the skipped seconds in order, so every line up
    // to this moment has taken effect.
    clock.set(8 * hour + 9 * 60 + 10);
    settle(500);

    const QString dir = QString::fromLocal8Bit(argv[2]);
    if (!save(application.mainWindow(), dir + "/form1.png") ||
        !save(application.simulationControls().form3(), dir + "/form3.png"))
        return 1;
    // Valve 3 at 08:30, in its pulsed block.
    if (!saveReadout(application, 8.5, (fh::valveLevel(2, 0) + fh::valveLevel(2, 1)) / 2, dir + "/readout.png"))
        return 1;

    // Two lines in one second, a valve switched on with an off time that does nothing,
    // and a pulse time that reads otherwise than it looks.
    for (const char* line : {"L,7:00,6,off", "W,7:10,3,on,15m", "W,9:30,5,p2,9m55s,20m"})
        enter(application.mainWindow(), line);
    application.mainWindow().menus().checkAction->trigger();
    settle(300);
    if (!save(*application.checkControls().checksWindow(), dir + "/form5.png"))
        return 1;

    // The same lines against the program as saved.
    application.mainWindow().menus().compareWithSaved->trigger();
    fh::CompareWindow* compare = application.compareControls().compareWindow();
    compare->resize(1100, 820);
    compare->findChild<QListWidget*>(QStringLiteral("Differences"))->setCurrentRow(1);
    settle(300);
    return save(*compare, dir + "/compare.png") ? 0 : 1;
}
