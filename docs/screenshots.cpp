// Pictures of the main window and of the simulation window for README.md, taken while
// the simulation runs. The windows are the real ones, built by Application; a fake clock
// switches the simulation on before dawn and then moves to a morning moment with lamps
// lit and a pulsed valve running, so the pictures do not depend on the time they are made.
// Then a few faulty lines are typed in, for a picture of the program checks window, and
// the lists are compared with the file as saved.
// Usage: fernhollow_screenshots PROGRAM OUTDIR

#include "app/application.h"
#include "platform/doubles/doubles.h"
#include "gui/comparewindow.h"
#include "gui/form3.h"
#include "gui/form5.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
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
