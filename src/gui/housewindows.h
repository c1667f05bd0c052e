#pragma once

// Program > "House…", the flow of each valve and the power of each light relay, and
// Program > "Daily Totals", what the day of the program uses.

#include "compiler/house.h"

#include <QDialog>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

namespace fh {

// "House": a box per valve (litres a minute) and per light relay (watts), each empty
// or a rate; OK is enabled while every box holds one of these.
class HouseDialog : public QDialog {
public:
    HouseDialog(const House& house, QWidget* parent);
    House house() const;

private:
    void check();

    std::array<QLineEdit*, outputCount> flows{};
    std::array<QLineEdit*, outputCount> watts{};
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
