#pragma once

// The desktop program put together: the Qt devices, the core objects and the
// windows, wired as the user meets them. The clock comes from outside, so the
// screenshot tool can show a simulated day at a chosen time (the simulation runs on the
// preview's clock over it), and so do the settings, so that tests leave the user's
// alone. Construct it once a QApplication exists.

#include "gui/chartcontrols.h"
#include "gui/checkcontrols.h"
#include "gui/comparecontrols.h"
#include "gui/compilercontrols.h"
#include "gui/cursorblink.h"
#include "gui/displaycontrols.h"
#include "gui/filecontrols.h"
#include "gui/form1.h"
#include "gui/housecontrols.h"
#include "session/programfiles.h"
#include "session/session.h"
#include "platform/qt/qtdevices.h"
#include "platform/qt/qtfiles.h"
#include "platform/qt/qtprintdialog.h"
#include "gui/simcontrols.h"
#include "simulation/preview.h"
#include "gui/windowplaces.h"
#include "simulation/simulation.h"

#include <optional>
#include <string>

namespace fh {

class Application {
public:
    Application(Clock& clock, Settings& settings);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Loads a program file as Load would.
    void open(const std::string& path);
    // Shows the main window and makes it active, which runs its start-up.
    void show();
    // Shows the main window, then opens `path`, if any, once the window is on screen,
    // so that its report stands over the window. The path is made absolute, as the
    // recent files are kept for runs started elsewhere.
    void start(const std::optional<std::string>& path);

    Form1& mainWindow() { return form1; }
    SimulationControls& simulationControls() { return simulationControls_; }
    ChartControls& chartControls() { return chartControls_; }
    CheckControls& checkControls() { return checkControls_; }
    HouseControls& houseControls() { return houseControls_; }
    CompareControls& compareControls() { return compareControls_; }

private:
    // Application name, window icon, font substitutes and the default font, before any
    // window exists.
    struct Look {
        Look();
    };

    Look look;
    CursorBlink cursorBlink;
    QtBeeper beeper;
    QtMessageBox messages;
    QtFileDialogs dialogs;
    QtTextFiles files;
    QtPrinterDialog printers;
    QtWallTimer jobTime;
    JobWatch jobs{jobTime, messages};
    Devices devices;
    QtWallTimer wall;
    PreviewClock previewClock;
    PreviewBeeper previewBeeper;
    Session session;
    ProgramFiles programFiles;
    Simulation simulation;
    Preview preview;
    Form1 form1;
    CompilerControls compilerControls_;
    SimulationControls simulationControls_;
    ChartControls chartControls_;
    CheckControls checkControls_;
    FileControls fileControls_;
    HouseControls houseControls_;
    // After the controls it shows again.
    DisplayControls displayControls_;
    CompareControls compareControls_;
    // Last, so that it remembers the windows still shown before they go.
    WindowPlaces places;
};

} // namespace fh
