#include "gui/housecontrols.h"

#include "gui/form1.h"
#include "platform/settings.h"
#include "session/session.h"

#include <QAction>

namespace fh {

namespace {

// Rates as kept: one string; what is missing or unreadable gives none.
Rates storedRates(const Settings& settings, const char* key)
{
    const std::vector<std::string> stored = settings.strings(key);
    return stored.size() == 1 ? parseRates(stored.front()).value_or(Rates{}) : Rates{};
}

std::optional<Site> storedPlace(const Settings& settings)
{
    const std::vector<std::string> stored = settings.strings(placeKey);
    return stored.size() == 1 ? parseSite(stored.front()) : std::nullopt;
}

} // namespace

HouseControls::HouseControls(Form1& form1, const Session& session, Settings& settings)
    : form1(form1), session(session), settings(settings),
      house_{storedRates(settings, flowsKey), storedRates(settings, wattsKey), storedRates(settings, ppfdKey)},
      place_(storedPlace(settings))
{
    form1.setHousePlace([this] { return place_ ? siteText(*place_) : std::string(); });
    connect(form1.menus().houseAction, &QAction::triggered, this, &HouseControls::hseClick);
    connect(form1.menus().dailyTotalsAction, &QAction::triggered, this, &HouseControls::dtotClick);
    connect(&form1, &Form1::rendered, this, &HouseControls::render);
}

void HouseControls::hseClick()
{
    if (!dialog) {
        dialog = new HouseDialog(house_, place_, &form1);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, this, [this] { setHouse(dialog->house(), dialog->place()); });
    }
    dialog->open();
}

void HouseControls::dtotClick()
{
    if (!totals)
        totals = new TotalsWindow(&form1);
    totals->show();
    refresh();
    totals->raise();
}

void HouseControls::setHouse(const House& house, const std::optional<Site>& place)
{
    house_ = house;
    place_ = place;
    settings.setStrings(flowsKey, {ratesText(house.flows)});
    settings.setStrings(wattsKey, {ratesText(house.watts)});
    settings.setStrings(ppfdKey, {ratesText(house.ppfd)});
    settings.setStrings(placeKey, place ? std::vector<std::string>{siteText(*place)} : std::vector<std::string>{});
    render();
}

void HouseControls::render()
{
    // The main window renders every second while the simulation runs.
    if (totals && (shownLists != session.lists() || shownDisplay != session.display() || shownHouse != house_))
        refresh();
}

void HouseControls::refresh()
{
    shownLists = session.lists();
    shownDisplay = session.display();
    shownHouse = house_;
    const auto cycle = cycleTotalsOf(session.lists());
    if (const auto* why = std::get_if<std::string>(&cycle)) {
        totals->setLines({"No day to total: " + *why});
        return;
    }
    // A block a day where the days differ, as `fernhollow totals` prints them.
    const auto& days = std::get<std::vector<DayTotals>>(cycle);
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < days.size(); ++k) {
        if (days.size() > 1)
            lines.push_back(cycleDayHeading(k + 1, days.size()));
        std::ranges::copy(totalsLines(days[k], house_, session.display()), std::back_inserter(lines));
    }
    totals->setLines(lines);
}

} // namespace fh
