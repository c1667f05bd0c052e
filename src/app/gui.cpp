#include "app/gui.h"

#include "app/application.h"
#include "platform/qt/qtdevices.h"
#include "platform/qt/qtsettings.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fh::gui {

namespace {

// While the window system is reached: the platform's messages are held back, and a
// platform that cannot start (no display, or one that cannot be reached) ends the
// program in one line, not with Qt's abort and a core dump.
QtMessageHandler qtHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldBack;

void startingMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        const QString reason = noDisplay          ? QStringLiteral("no display (DISPLAY and WAYLAND_DISPLAY are not set)")
                               : heldBack.empty() ? message.section(QLatin1Char('\n'), 0, 0)
                                                  : heldBack.front().second.trimmed();
        std::fprintf(stderr,
                     "fernhollow: cannot open the window: %s; run it in a desktop session (the commands of "
                     "fernhollow --help need no display)\n",
                     reason.toLocal8Bit().constData());
        std::_Exit(2);
    }
    if (QLatin1String(context.category ? context.category : "").startsWith(QLatin1String("qt.qpa")))
        heldBack.emplace_back(type, message);
    else
        qtHandler(type, context, message);
}

} // namespace

void prepareWindowSystem()
{
    // Idle, the windows repaint a clock or two each second. Through X's shared memory
    // each such paint waits for a round trip to the server, which wakes Qt's X thread
    // and then this one; sent over the connection it needs none, and the windows are
    // small enough that a whole one costs little more. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

int run(int argc, char* argv[])
{
    prepareWindowSystem();
    qtHandler = qInstallMessageHandler(startingMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const auto& [type, message] : std::exchange(heldBack, {}))
        qtHandler(type, QMessageLogContext(), message);
    QtClock clock;
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("fernhollow"),
                    QStringLiteral("fernhollow"));
    QtSettings settings(store);
    Application application(clock, settings);
    // QApplication has taken its own options out of argv by now.
    application.start(argc > 1 ? std::optional<std::string>(argv[1]) : std::nullopt);
    return QApplication::exec();
}

} // namespace fh::gui
