#pragma once

// Program > "House…" sets the flows, watts, PPFD and the place, kept in the settings
// from run to run;
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
inline constexpr const char* ppfdKey = "house/ppfd";
inline constexpr const char* placeKey = "house/place";

class HouseControls : public QObject {
public:
    HouseControls(Form1& form1, const Session& session, Settings& settings);

    void hseClick();
    void dtotClick();

    const House& house() const { return house_; }
    // Where the house stands; none until House… is given a latitude and longitude.
    const std::optional<Site>& place() const { return place_; }
    HouseDialog* houseDialog() const { return dialog; }
    TotalsWindow* totalsWindow() const { return totals; }

private:
    void setHouse(const House& house, const std::optional<Site>& place);
    // Shows the totals again when what they are made of changed.
    void render();
    void refresh();

    Form1& form1;
    const Session& session;
    Settings& settings;
    House house_;
    std::optional<Site> place_;
    QPointer<HouseDialog> dialog;
    QPointer<TotalsWindow> totals;
    // What the totals window shows.
    CommandLists shownLists;
    Display shownDisplay;
    House shownHouse;
};

} // namespace fh
