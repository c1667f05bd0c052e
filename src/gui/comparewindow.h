#pragma once

// The compare window: two programs' days one above the other on one time scale, the
// stretches where they differ shaded, the list of differences (choosing one puts a
// cursor at its start on both charts), the lines only one program holds and the
// daily totals that changed. Print puts both charts and the lists on paper.

#include "compiler/daydiff.h"
#include "draw/chartpicture.h"
#include "platform/displaylist.h"
#include "platform/platform.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QListWidget;

namespace fh {

// A chart painted at the widget's size, with an optional cursor at a second of the day.
// Its rows' labels take a size that keeps each to its row, so it is drawn again when
// its height changes that size.
class ComparedChart : public QWidget {
    Q_OBJECT

public:
    // The chart with its rows' labels in the given size.
    using Plot = std::function<DisplayList(double labelPoints)>;

    explicit ComparedChart(QWidget* parent);
    void setPlot(Plot plot);
    const DisplayList& drawing() const { return drawing_.chart(); }
    void setCursorAt(std::optional<int> second);
    std::optional<int> cursorAt() const { return cursor; }
    // The labels' size at the chart's height.
    double labelPoints() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void draw();

    Plot plot;
    double drawnPoints = 0;
    CachedChart drawing_;
    std::optional<int> cursor;
};

// One side of a comparison: its name as the window shows it, and its program.
struct ComparedSide {
    QString name;
    const Program& program;
};

class CompareWindow : public QWidget {
    Q_OBJECT

public:
    // `programFile` gives the program's file, after which print jobs and their footers
    // are named.
    CompareWindow(const Devices& devices, std::function<std::string()> programFile);

    void compare(const ComparedSide& a, const ComparedSide& b, const DayComparison& comparison,
                 const Display& display);

private:
    void choose(int row);
    void print();

    Devices devices;
    std::function<std::string()> programFile;
    ComparedChart* chartA = nullptr;
    ComparedChart* chartB = nullptr;
    QListWidget* differences = nullptr;
    QListWidget* lines = nullptr;
    QListWidget* totals = nullptr;
    DayComparison shown;
    Display display;
};

} // namespace fh
