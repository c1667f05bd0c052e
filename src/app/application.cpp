#include "app/application.h"

#include "platform/qt/qtfonts.h"
#include "gui/pictures.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace fh {

Application::Look::Look()
{
    QApplication::setApplicationName(applicationTitle);
    QApplication::setWindowIcon(leafIcon());
    installFontSubstitutes();
}

Application::Application(Clock& clock)
    : devices{clock, beeper, messages, dialogs, files, printers},
      previewClock(clock, wall),
      previewBeeper(beeper, previewClock),
      editor(messages),
      programFiles(editor, devices),
      simulation(program, editor, previewClock, previewBeeper, messages),
      preview(simulation, previewClock, previewBeeper),
      form1(editor, messages),
      compilerControls_(form1, editor, program, messages, clock),
      simulationControls_(form1, simulation, preview),
      chartControls_(form1, editor, program, messages, clock, printers),
      checkControls_(form1, editor, messages)
{
    messages.setParent(&form1);
    dialogs.setParent(&form1);
    printers.setParent(&form1);

    const auto& menus = form1.menus();
    QObject::connect(menus.ld, &QAction::triggered, &form1,
                     [this] { form1.history().record("Load", [this] { programFiles.load(); }); });
    QObject::connect(menus.sv, &QAction::triggered, &form1, [this] { programFiles.save(); });
    QObject::connect(menus.pt, &QAction::triggered, &form1, [this] { programFiles.print(); });
    form1.setCloseGuard([this] { return programFiles.closeRequested(); });
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
    if (path)
        QTimer::singleShot(0, &form1, [this, file = *path] { open(file); });
}

} // namespace fh
