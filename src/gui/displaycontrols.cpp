#include "gui/displaycontrols.h"

#include "gui/chartcontrols.h"
#include "gui/form1.h"
#include "gui/simcontrols.h"
#include "platform/settings.h"
#include "session/session.h"

#include <QAction>

namespace fh {

namespace {
const std::vector<std::string> celsiusSetting = {"C"};
const std::vector<std::string> fahrenheitSetting = {"F"};

void setTemperature(Session& session, bool celsius)
{
    Display display = session.display();
    display.temperature = celsius ? Display::Temperature::Celsius : Display::Temperature::Fahrenheit;
    session.setDisplay(display);
}
} // namespace

DisplayControls::DisplayControls(Form1& form1, Session& session, Settings& settings, SimulationControls& simulation,
                                 ChartControls& charts)
    : form1(form1), session(session), settings(settings), simulation(simulation), charts(charts)
{
    const bool celsius = settings.strings(temperatureKey) == celsiusSetting;
    QAction* action = form1.menus().celsiusAction;
    action->setChecked(celsius);
    setTemperature(session, celsius);
    // The windows start in °F: only °C has anything to show again.
    if (celsius)
        form1.render();
    connect(action, &QAction::toggled, this, [this](bool on) {
        this->settings.setStrings(temperatureKey, on ? celsiusSetting : fahrenheitSetting);
        apply(on);
    });
}

void DisplayControls::apply(bool celsius)
{
    setTemperature(session, celsius);
    form1.render();
    simulation.render();
    charts.redraw();
}

} // namespace fh
