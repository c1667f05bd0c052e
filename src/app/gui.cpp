#include "app/gui.h"

#include "chart/chartcontrols.h"
#include "compiler/program.h"
#include "editor/editor.h"
#include "editor/form1.h"
#include "files/programfiles.h"
#include "platform/qt/qtdevices.h"
#include "platform/qt/qtfiles.h"
#include "platform/qt/qtfonts.h"
#include "platform/qt/qtprinter.h"
#include "simulation/pictures.h"
#include "simulation/simcontrols.h"
#include "simulation/simulation.h"

#include <QAction>
#include <QApplication>

namespace fh::gui {

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    QApplication::setWindowIcon(leafIcon());
    installFontSubstitutes();

    QtClock clock;
    QtBeeper beeper;
    QtMessageBox messages;
    QtFileDialogs dialogs;
    QtTextFiles files;
    QtPrinterDialog printers;
    const Devices devices{clock, beeper, messages, dialogs, files, printers};

    Editor editor(messages);
    Program program;
    ProgramFiles programFiles(editor, devices);
    Simulation simulation(program, editor, clock, beeper, messages);
    Form1 form1(editor, program, messages, clock);
    SimulationControls simulationControls(form1, simulation);
    ChartControls chartControls(form1, editor, program, messages, clock, printers);
    messages.setParent(&form1);
    dialogs.setParent(&form1);
    printers.setParent(&form1);

    const auto& menus = form1.menus();
    QObject::connect(menus.ld, &QAction::triggered, &form1, [&] {
        programFiles.load();
        form1.render();
    });
    QObject::connect(menus.sv, &QAction::triggered, &form1, [&] { programFiles.save(); });
    QObject::connect(menus.pt, &QAction::triggered, &form1, [&] { programFiles.print(); });
    form1.setCloseGuard([&] { return programFiles.closeRequested(); });

    // A program file named on the command line opens as Load would open it.
    // QApplication has taken its own options out of argv by now.
    if (argc > 1) {
        programFiles.loadFrom(argv[1]);
        form1.render();
    }

    form1.show();
    // Without a window manager nothing else makes it active, and the start-up
    // runs on activation.
    form1.activateWindow();
    return QApplication::exec();
}

} // namespace fh::gui
