#pragma once

// The program checks on the main window: the count in the status bar (Label15),
// "Program > Check Program" (F7) and a click on the count open the checks window,
// which is created on first use and destroyed when closed; activating a finding
// selects its item in the lists. Send Program asks first when the program has errors.
// The lists are checked again at every render of the main window that finds them, or
// how their lines were written, changed; each item with findings carries a marker and
// lists them in its tooltip.
// After a line is filed the count gives way, until the next change, to what the
// checks say of that line.

#include "checks/lint.h"
#include "language/commandlists.h"

#include <QIcon>
#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

class QLabel;

namespace fh {

class Form1;
class Form5;
class MessageBox;
class Session;

class CheckControls : public QObject {
    Q_OBJECT

public:
    CheckControls(Form1& form1, const Session& session, MessageBox& messages);
    ~CheckControls() override;
    CheckControls(const CheckControls&) = delete;
    CheckControls& operator=(const CheckControls&) = delete;

    void chkClick();
    Form5* checksWindow() const;

public slots:
    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check();
    void mark();
    // The marker of an item with findings, drawn at its first use.
    const QIcon& markOf(Finding::Severity severity);
    void lineFiled(const CommandLists& before, const CelsiusReading& typed);
    bool sendRequested();

    Form1& form1;
    const Session& session;
    MessageBox& messages;
    QLabel* label15 = nullptr;
    QPointer<Form5> form5;
    // The lists the findings were made from: the main window renders every second
    // while the simulation runs, and unchanged lists need no new check.
    CommandLists checked;
    // The messages quote values as this read them.
    Display checkedDisplay;
    AsWritten checkedWritten;
    std::vector<Finding> findings;
    // The check before, for what a filed line newly causes.
    CommandLists previousLists;
    std::vector<Finding> previousFindings;
    LineMemo memo;
    std::size_t errors = 0;
    QIcon errorMark;
    QIcon warningMark;
};

} // namespace fh
