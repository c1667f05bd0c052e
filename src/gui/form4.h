#pragma once

// Form4, "Plots-TLW": the chart window. It shows the last chart drawn in it, painted
// again at the window's size, and keeps the chart coordinates it was first given.
// Over the day a thin cursor follows the mouse, with a readout of the state there;
// neither is part of the chart, so neither prints.

#include "compiler/day.h"
#include "compiler/display.h"
#include "draw/chartpicture.h"
#include "platform/displaylist.h"
#include "platform/platform.h"

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace fh {


inline constexpr const char* chartWindowTitle = "Plots-TLW";

class Form4 : public QWidget {
    Q_OBJECT

public:
    // `programFile` gives the program's file, after which print jobs are named. Prints
    // go through the devices' printer dialog and job watch.
    explicit Form4(const Devices& devices, std::function<std::string()> programFile = {}, QWidget* parent = nullptr);

    // Shows `chart` in place of the chart before; the readout tells `day` as `display`
    // reads it.
    void draw(const DisplayList& chart, DayStates day, const Display& display);
    const DisplayList& drawing() const { return drawing_.chart(); }

signals:
    // The window is being closed; it is destroyed afterwards.
    void closing();

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void command1Click();
    // The cursor and readout at pixel column `x`, or none when `x` is off the day.
    void follow(int x);

    Devices devices;
    std::function<std::string()> programFile;
    QPushButton* command1 = nullptr;
    QLabel* readout = nullptr;
    CachedChart drawing_;
    DayStates day;
    Display display;
    int cursorX = -1;
};

} // namespace fh
