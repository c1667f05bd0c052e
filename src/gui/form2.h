#pragma once

// Form2, the chart selection: three boxes whose state lives in the chart state's
// `plotsel`, and the Totals box, so that they come back as they were when the window
// is opened again.

#include <QWidget>

#include <array>

namespace fh {

struct ChartState;

class Form2 : public QWidget {
    Q_OBJECT

public:
    // Stays in front of `owner`; destroyed when closed.
    Form2(ChartState& state, QWidget* owner);

private:
    std::array<bool, 3>& plotsel;
};

} // namespace fh
