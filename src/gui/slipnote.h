#pragma once

// Beside the entry box: why a typed line was not filed at its first Enter (it would
// do otherwise than it reads), with a button for each way to write it as meant.
// Enter again files the line as read.

#include "checks/lint.h"

#include <QFrame>

#include <vector>

class QLabel;
class QHBoxLayout;

namespace fh {

class SlipNote : public QFrame {
    Q_OBJECT

public:
    // Shown at `at` in the parent, under the entry box, `width` wide.
    SlipNote(QWidget* parent, QPoint at, int width);

    // Shows the findings in full and a button for each fix.
    void hold(const std::vector<Finding>& slips, const std::vector<Fix>& fixes);

signals:
    // A fix's button was pressed: the line to file instead, as typed.
    void fixChosen(const QString& line);

private:
    QLabel* findings = nullptr;
    QHBoxLayout* buttons = nullptr;
};

} // namespace fh
