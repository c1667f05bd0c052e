#pragma once

// The simulation's controls on the main window, joined to the core Simulation:
// the menu items sson and ssoff, the traffic lights Image2 (green) and Image3
// (red), Label13, the clock Label6, the fan switch Check13, the force button
// Command2 with its warning sign Image1, reached through the main window's typed
// accessors. It also owns Form3, made when the simulation first shows it or
// someone asks for it, and joins its preview row to the core Preview. The pictures
// load when first shown. After each event it renders and emits changed(). Each
// second the simulation's clock wakes it, and after each batch of a preview's
// seconds, it shows the time, renders the rest of its controls only when what they
// show has changed, and emits changed() only when the code's mark
// of the line the simulation waits for has moved: nothing else the main window shows follows the
// clock, and an idle program should do no more each second than it must. The main
// window's first activation runs startUp(), and changed() renders it. The simulation
// window's tooltips say, when asked, the line behind each item's value at the
// simulation's second, read from the program it plays.

#include "compiler/why.h"
#include "gui/form1.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include <QObject>

#include <memory>
#include <optional>
#include <utility>

namespace fh {

class Form3;

class SimulationControls : public QObject {
    Q_OBJECT

public:
    // The simulation window shows its set-points as `display` reads them.
    SimulationControls(Form1& form1, Simulation& simulation, Preview& preview, const Display& display);
    ~SimulationControls() override;

    Form3& form3();

    // The tooltip of `item` at the second the simulation shows: its name and the line
    // behind its value (itemReasonText); empty while the simulation runs no line.
    QString why(int item);

public slots:
    // The main window's first activation: timer start values, List4's items, and the
    // tick of every clock second from then on.
    void startUp();
    // Everything, as after a change of the display's units.
    void render();

signals:
    // The program's List5 selection or visibility may have changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the windows show besides the time.
    struct Shown {
        ControlPanel panel;
        GreenhouseView view;
        PreviewPanel row;
        Display display;

        bool operator==(const Shown&) const = default;
    };

    void joinPreviewRow();
    void handled();
    void ticked();
    // The time, and the rest only when it has changed since it was last shown.
    void refresh();
    void showAllButTheTime(const ControlPanel& panel, const GreenhouseView& view, const PreviewPanel& row);

    Form1& form1;
    const Form1::Widgets& widgets;
    const Form1::Menus& menus;
    Simulation& simulation;
    Preview& preview;
    const Display& display;
    std::unique_ptr<Form3> form3_;
    // The played program's cycle, read at its revision when first asked.
    std::optional<DayReasons> reasons;
    unsigned long reasonsRevision = 0;
    // The simulation's running state and the code's marked line when changed() was
    // last emitted; none when the next tick must emit it.
    std::optional<std::pair<bool, int>> shownStep{{false, -1}};
    std::optional<Shown> shown;
};

} // namespace fh
