#include "app/application.h"

#include "platform/qt/qtfonts.h"
#include "gui/pictures.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTimer>

namespace fh {

namespace {
// A print job's line in the status bar stays until the next, or for so long.
constexpr int statusMilliseconds = 15000;
} // namespace

Application::Look::Look()
{
    QApplication::setApplicationName(applicationTitle);
    // The window is the desktop file's, as the installed executable's name is.
    QGuiApplication::setDesktopFileName(QStringLiteral("fernhollow"));
    QApplication::setWindowIcon(leafIcon());
    QApplication::setStyle(deferredIconStyle());
    installFontSubstitutes();
    // The program's default font, as the windows' controls have it; dialogs and
    // message boxes take it too. A line edit lays its first text out in the
    // default font, so the system's own would otherwise be loaded and never shown.
    QApplication::setFont(sansFont(8));
}

Application::Application(Clock& clock, Settings& settings)
    : printers(files), devices{clock, beeper, messages, dialogs, files, printers, settings, jobs},
      previewClock(clock, wall),
      previewBeeper(beeper, previewClock),
      session(messages, clock),
      programFiles(session, devices),
      simulation(session.program(), session.codeView(), [this](const Clock& at) { return session.compile(at); },
                 previewClock, previewBeeper, messages),
      preview(simulation, previewClock, previewBeeper),
      form1(session, messages),
      compilerControls_(form1, session),
      simulationControls_(form1, simulation, preview, session.display()),
      chartControls_(form1, session, devices),
      checkControls_(form1, session, messages),
      fileControls_(form1, session, programFiles),
      houseControls_(form1, session, settings),
      displayControls_(form1, session, settings, simulationControls_, chartControls_),
      compareControls_(form1, session, devices),
      places(settings, form1, [this] { return form1.inSight(); })
{
    messages.setParent(&form1);
    dialogs.setParent(&form1);
    printers.setParent(&form1);
    jobs.setStatusLine([this](const std::string& line) {
        form1.statusBar()->showMessage(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), statusMilliseconds);
    });
}

void Application::open(const std::string& path)
{
    form1.history().record("Load", [&] { programFiles.loadFrom(path); });
}

void Application::show()
{
    form1.show();
    // Without a window manager nothing else makes it active, and the start-up
    // runs on activation.
    form1.activateWindow();
}

void Application::start(const std::optional<std::string>& path)
{
    show();
    if (!path)
        return;
    const QString absolute = QFileInfo(QFile::decodeName(QByteArray::fromStdString(*path))).absoluteFilePath();
    QTimer::singleShot(0, &form1, [this, file = QFile::encodeName(absolute).toStdString()] { open(file); });
}

} // namespace fh
