#pragma once

// The 24-hour chart of the compiled program. plot walks the schedule three times
// from the next step: a first, partial pass and a second, full one leave every
// output in the state it has at midnight, and the third pass draws the day from
// 00:00 to 24:00 onto a canvas. The walk has working variables of its own, so a
// chart drawn while the simulation runs leaves it alone.

#include "compiler/display.h"
#include "platform/canvas.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace fh {

struct DayState;
class DisplayList;
class MessageBox;
class Printer;
class Program;

// User coordinates of the chart window: an hour per unit, plot area 0..24 by -10..10.
inline constexpr double chartLeft = -2;
inline constexpr double chartTop = 12;
inline constexpr double chartRight = 26;
inline constexpr double chartBottom = -12;

// The chart window's own font size, which labels use until a title has set 14.
inline constexpr double chartFontPoints = 11.25;
inline constexpr double chartTitlePoints = 14;

inline constexpr Color plotBackground{200, 200, 200};
inline constexpr Color gridColor{150, 150, 150};
inline constexpr Color black{0, 0, 0};
inline constexpr Color pulseFill{190, 190, 255};
inline constexpr Color lowSetPoint{0, 0, 255};
inline constexpr Color highSetPoint{255, 0, 0};
// The chart window around the plot area.
inline constexpr Color chartWindowColor{240, 240, 240};

// Chart state that lives as long as the application.
struct ChartState {
    // false: the next chart sets the chart coordinates first. The main window clears
    // it whenever it becomes active, and a new chart window needs it cleared too.
    bool scaled = false;
    // The ticked boxes of the selection window: Temperature, Light, Water. The chart
    // shows every trace whatever they hold.
    std::array<bool, 3> plotsel{};
    // Each light's and valve's hours in the day, in the margin right of 24:00. Drawn
    // by this program's choice, so it can be turned off.
    bool totals = true;
    // Above 0: the labels in this size, each centred on its row, for a chart too low
    // for the window's font (the compare window's).
    double rowLabelPoints = 0;
};

// What is drawn on the plot's background before its grid and traces.
using Underlay = std::function<void(Canvas&)>;

// Draws the chart of the compiled `program` onto `canvas`, its labels as `display`
// reads them. Returns false, having drawn nothing, when there is no program (after
// the message "no program present!").
bool plot(const Program& program, const Display& display, ChartState& state, Canvas& canvas, MessageBox& messages,
          const Underlay& underlay = {});

// The level of a trace: light k is output index k - 1 with its base at k + 3, valve k
// at k - 4; on is 0.7 above the base. Set-point T degrees F sits at (T - 30) / 10 - 10.
double lightLevel(int index, double state);
double valveLevel(int index, double state);
double temperatureLevel(double fahrenheit);

// The light (0..5), valve (6..11) or set-point (low 18, high 19), numbered as the
// day's items, whose trace in `state` is nearest level `y` (a pulsed valve's block
// counts whole); none when no trace is within half a unit.
std::optional<int> itemAtLevel(double y, const DayState& state);

// Prints a chart window's drawing, as the window of width x height pixels shows it,
// on one page: inside 4 % margins at the left and top and stretched to 1/1.1 of the
// printable area, as a job named `jobName`. Returns the printer's failure, if any.
std::optional<std::string> printChart(const DisplayList& chart, double width, double height, Printer& printer,
                                      const std::string& jobName);

} // namespace fh
