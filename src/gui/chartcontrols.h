#pragma once

// The "Plots" menu of the main window: "Select Plots" opens the selection window,
// "Plot GH Control" compiles the program and draws its chart in the chart window,
// which is created on first use and destroyed when closed. The chart's print jobs
// are named after the main window's windowFilePath.

#include "chart/chart.h"
#include "platform/platform.h"

#include <QObject>
#include <QPointer>

namespace fh {

class Form1;
class Form2;
class Form4;
class Session;

class ChartControls : public QObject {
    Q_OBJECT

public:
    // The chart window prints through the devices' printer dialog and job watch.
    ChartControls(Form1& form1, Session& session, const Devices& devices);
    ~ChartControls() override;
    ChartControls(const ChartControls&) = delete;
    ChartControls& operator=(const ChartControls&) = delete;

    void spsClick();
    void pghClick();
    // Draws an open chart window's chart again, as the session's display now reads
    // it, from the program as last compiled.
    void redraw();

    const ChartState& state() const { return state_; }
    Form2* selectionWindow() const;
    Form4* chartWindow() const;

private:
    Form1& form1;
    Session& session;
    Devices devices;
    ChartState state_;
    QPointer<Form2> form2;
    QPointer<Form4> form4;
};

} // namespace fh
