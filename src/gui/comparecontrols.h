#pragma once

// File > "Compare With…" and "Compare With Saved": the lists now against a program
// file (one chosen, or the one they were loaded from or saved to), shown in the
// compare window. The file's lists are only read, so the lists and their undo steps
// stay as they are.

#include "platform/platform.h"

#include <QObject>
#include <QPointer>

#include <string>

namespace fh {

class CompareWindow;
class Form1;
class Session;

class CompareControls : public QObject {
    Q_OBJECT

public:
    CompareControls(Form1& form1, Session& session, const Devices& devices);
    // The compare window has no owner, so it would outlive the main window.
    ~CompareControls() override;
    CompareControls(const CompareControls&) = delete;
    CompareControls& operator=(const CompareControls&) = delete;

    void compareWith();
    void compareWithSaved();
    CompareWindow* compareWindow() const;

private:
    // Compares the program file `path`, named `nameA`, with the lists now, `nameB`.
    void compare(const std::string& path, const QString& nameA, const QString& nameB);

    Form1& form1;
    Session& session;
    Devices devices;
    QPointer<CompareWindow> window;
};

} // namespace fh
