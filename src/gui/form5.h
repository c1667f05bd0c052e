#pragma once

// Form5, "Program Checks": the findings of the whole-program check, one row each
// (where, severity, message, code) in Grid1. Activating a row (double click or
// Enter) asks for its item in the main window's lists.

#include "checks/lint.h"

#include <QWidget>

#include <vector>

class QTreeWidget;

namespace fh {

class Form5 : public QWidget {
    Q_OBJECT

public:
    // Stays in front of `owner`; destroyed when closed.
    explicit Form5(QWidget* owner);

    void setFindings(const std::vector<Finding>& findings);

signals:
    void itemChosen(int list, int index);

private:
    QTreeWidget* grid1 = nullptr;
};

} // namespace fh
