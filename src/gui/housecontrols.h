#pragma once

// Program > "House…" sets the flows and watts, kept in the settings from run to run;
// Program > "Daily Totals" shows what the day uses, and follows the lists, the
// rates and the unit of temperature as they change.

#include "compiler/house.h"
#include "gui/housewindows.h"

#include <QObject>
#include <QPointer>

namespace fh {

class Form1;
class Session;
class Settings;

inline constexpr const char* flowsKey = "house/flows";
inline constexpr const char* wattsKey = "house/watts";

class HouseControls : public QObject {
public:
    HouseControls(Form1& form1, const Session& session, Settings& settings);

    void hseClick();
    void dtotClick();

    const House& house() const { return house_; }
    HouseDialog* houseDialog() const { return dialog; }
    TotalsWindow* totalsWindow() const { return totals; }

private:
    void setHouse(const House& house);
    // Shows the totals again when what they are made of changed.
    void render();
    void refresh();

    Form1& form1;
    const Session& session;
    Settings& settings;
    House house_;
    QPointer<HouseDialog> dialog;
    QPointer<TotalsWindow> totals;
    // What the totals window shows.
    CommandLists shownLists;
    Display shownDisplay;
    House shownHouse;
};

} // namespace fh
