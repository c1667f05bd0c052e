#pragma once

// Form4, "Plots-TLW": the chart window. It shows the last chart drawn in it, painted
// again at the window's size, and keeps the chart coordinates it was first given.
// Over the day a thin cursor follows the mouse, with a readout of the state there
// and of the line behind the trace under the mouse, which a click chooses; neither
// is part of the chart, so neither prints.

#include "compiler/why.h"
#include "compiler/display.h"
#include "draw/chartpicture.h"
#include "platform/displaylist.h"
#include "platform/platform.h"

#include <QWidget>

#include <functional>
#include <optional>
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

    // Shows `chart` in place of the chart before; the readout tells day 1 of
    // `reasons` as `display` reads it.
    void draw(const DisplayList& chart, DayReasons reasons, const Display& display);
    const DisplayList& drawing() const { return drawing_.chart(); }

signals:
    // The window is being closed; it is destroyed afterwards.
    void closing();
    // A click on a trace chose the line behind its value there: its list (0 T, 1 L,
    // 2 W) and its index in it.
    void lineChosen(int list, int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void command1Click();
    // The second of day 1 at pixel `at`, and the trace there, if any.
    struct Pointed {
        int second = 0;
        std::optional<int> item;
    };
    std::optional<Pointed> pointedAt(QPoint at) const;
    // The cursor and readout at pixel `at`, or none when it is off the day.
    void follow(QPoint at);

    Devices devices;
    std::function<std::string()> programFile;
    QPushButton* command1 = nullptr;
    QLabel* readout = nullptr;
    CachedChart drawing_;
    std::optional<DayReasons> reasons;
    Display display;
    int cursorX = -1;
};

} // namespace fh
