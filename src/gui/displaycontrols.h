#pragma once

// View > "Temperatures in °C": how the windows read temperatures, kept in the
// settings from run to run. A change shows every window's temperatures again: the
// main window's set-point boxes, the checks, the simulation window, an open chart.
// While it is on, typed lines take set-points in °C.

#include <QObject>

namespace fh {

class ChartControls;
class Form1;
class Session;
class Settings;
class SimulationControls;

inline constexpr const char* temperatureKey = "display/temperature";

class DisplayControls : public QObject {
public:
    DisplayControls(Form1& form1, Session& session, Settings& settings, SimulationControls& simulation,
                    ChartControls& charts);

private:
    void apply(bool celsius);

    Form1& form1;
    Session& session;
    Settings& settings;
    SimulationControls& simulation;
    ChartControls& charts;
};

} // namespace fh
