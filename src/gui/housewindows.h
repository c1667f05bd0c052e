#pragma once

// Program > "House…", the flow of each valve, the power and PPFD of each light relay
// and where the house stands, and Program > "Daily Totals", what the day of the
// program uses.

#include "compiler/house.h"
#include "compiler/sun.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

namespace fh {

// "House": a box per valve (litres a minute) and per light relay (watts, and PPFD at
// the canopy), each empty or a rate; the latitude and longitude, both empty or both
// degrees, and the time zone, empty for the system's or a zone's name. OK is enabled
// while every box holds one of these.
class HouseDialog : public QDialog {
public:
    HouseDialog(const House& house, const std::optional<Site>& place, QWidget* parent);
    House house() const;
    // None while the latitude and longitude are empty.
    std::optional<Site> place() const;

private:
    void check();
    // The place as the boxes hold it; none (with `valid` false) when they hold no place.
    std::optional<Site> typedPlace(bool& valid) const;

    std::array<QLineEdit*, outputCount> flows{};
    std::array<QLineEdit*, outputCount> watts{};
    std::array<QLineEdit*, outputCount> ppfd{};
    QLineEdit* latitude = nullptr;
    QLineEdit* longitude = nullptr;
    QLineEdit* zone = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

// "Daily Totals": the totals' lines as `fernhollow totals` prints them, or why there
// are none.
class TotalsWindow : public QWidget {
public:
    explicit TotalsWindow(QWidget* owner);
    // Latin-1 lines.
    void setLines(const std::vector<std::string>& lines);

private:
    QPlainTextEdit* text1 = nullptr;
};

} // namespace fh
