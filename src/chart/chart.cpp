#include "chart/chart.h"

#include "platform/displaylist.h"
#include "compiler/day.h"
#include "compiler/daydiff.h"
#include "compiler/display.h"
#include "compiler/program.h"
#include "language/latin1.h"
#include "language/terms.h"
#include "platform/devices.h"
#include "platform/printer.h"

#include <algorithm>
#include <vector>

namespace fh {

double lightLevel(int index, double state) { return index + 4 + 0.7 * state; }
double valveLevel(int index, double state) { return index - 3 + 0.7 * state; }
double temperatureLevel(double fahrenheit) { return (fahrenheit - 30) / 10 - 10; }

std::optional<int> itemAtLevel(double y, const DayState& state)
{
    std::optional<int> nearest;
    double best = 0.5;
    const auto consider = [&](int item, double low, double high) {
        const double distance = y < low ? low - y : y > high ? y - high : 0;
        if (distance <= best) {
            best = distance;
            nearest = item;
        }
    };
    for (std::size_t k = 0; k < outputCount; ++k) {
        const int index = static_cast<int>(k);
        const double light = lightLevel(index, state.lights[k] ? OutputState::on : OutputState::off);
        consider(index, light, light);
        const double valve = state.valves[k];
        if (OutputState::isPulsed(valve))
            consider(outputCount + index, valveLevel(index, OutputState::off), valveLevel(index, OutputState::on));
        else
            consider(outputCount + index, valveLevel(index, valve), valveLevel(index, valve));
    }
    consider(dayItemCount - 2, temperatureLevel(state.low), temperatureLevel(state.low));
    consider(dayItemCount - 1, temperatureLevel(state.high), temperatureLevel(state.high));
    return nearest;
}

namespace {

// The display's texts are Latin-1, as the program's are; the canvas takes UTF-8.
void drawText(Canvas& canvas, double x, double y, const std::string& latin1)
{
    canvas.text(x, y, utf8FromLatin1(latin1), black);
}

constexpr int outputs = outputCount;
constexpr int passes = 3;
// The set-point traces start here; the walk's first passes replace them with what
// holds at midnight, so only a program without a temperature line draws them.
constexpr double traceLow = 70, traceHigh = 74;

// The hour of a time text, hours + minutes / 60; the seconds do not show.
double hourOf(const Cell& cell)
{
    const auto* time = std::get_if<std::string>(&cell);
    if (!time)
        return cellValue(cell);
    const std::vector<std::string> parts = split(*time, ':');
    const double minutes = parts.size() > 1 ? leadingValue(parts[1]) : 0;
    return leadingValue(parts[0]) + minutes / 60;
}

class Plotter {
public:
    Plotter(const Program& compiled, const Display& shown, Canvas& surface)
        : program(compiled), display(shown), canvas(surface)
    {
    }

    // `days`: how many days the program runs before it repeats, for the title;
    // `rowLabelPoints` as the chart state has it.
    void frame(const Underlay& underlay, std::size_t days, double rowLabelPoints);
    void walk();

private:
    // A label leaves a dot at its anchor, its top-left corner.
    void label(double x, double y, const std::string& text);
    void line(double x1, double y1, double x2, double y2) { canvas.line(x1, y1, x2, y2, black); }
    void light(const ScheduleRow& row, int i);
    void temperature(const ScheduleRow& row);
    void water(const ScheduleRow& row, int i);
    void pulseBlock(int i, double a, double b, double state);
    void closeDay();

    const Program& program;
    const Display& display;
    Canvas& canvas;

    bool drawing = false;
    double tnow = 0;
    std::array<double, outputs> lightstat{}, valvestat{};
    std::array<bool, outputs> ldrawn{}, wdrawn{};
    std::array<double, outputs> lchange{}, wchange{};
    double lowprev = traceLow, highprev = traceHigh;
    double tchange = 0;
};

void Plotter::label(double x, double y, const std::string& text)
{
    canvas.point(x, y, black);
    drawText(canvas, x, y, text);
}

void Plotter::frame(const Underlay& underlay, std::size_t days, double rowLabelPoints)
{
    canvas.fillRect(0, 10, 24, -10, plotBackground);
    if (underlay)
        underlay(canvas);
    for (int x = 0; x <= 24; ++x)
        canvas.line(x, -10, x, 10, gridColor);
    for (int y = -10; y <= 10; ++y)
        canvas.line(0, y, 24, y, gridColor);
    line(0, -10, 24, -10);
    line(0, 10, 24, 10);
    line(0, -10, 0, 10);
    line(24, -10, 24, 10);
    if (rowLabelPoints > 0) {
        canvas.setFontSize(rowLabelPoints);
        for (int i = 0; i < outputs; ++i) {
            canvas.textMiddle(-1.8, lightLevel(i, 0.5), "Light #" + std::to_string(i + 1), black);
            canvas.textMiddle(-1.8, valveLevel(i, 0.5), "Water #" + std::to_string(i + 1), black);
        }
        for (int t = 30; t <= 90; t += 10)
            canvas.textMiddle(-0.7, temperatureLevel(t), utf8FromLatin1(display.degrees(t)), black);
    } else {
        for (int k = 1; k <= outputs; ++k) {
            label(-1.8, k + 3.4, "Light #" + std::to_string(k));
            label(-1.8, k - 3.6, "Water #" + std::to_string(k));
        }
        for (int t = 30; t <= 90; t += 10)
            label(-0.7, t / 10.0 - 12.6, display.degrees(t));
    }
    // A positive number prints with a leading blank.
    for (int h = 0; h <= 24; ++h)
        label(h - 0.2, -10.2, std::string(" ").append(std::to_string(h)));
    canvas.setFontSize(rowLabelPoints > 0 ? std::min(rowLabelPoints, chartTitlePoints) : chartTitlePoints);
    label(8, 11,
          days > 1 ? "Greenhouse Control Program (24Hrs, day 1; repeats every " + std::to_string(days) + " days)"
                   : std::string("Greenhouse Control Program (24Hrs)"));
    label(10.5, -11, "Hours");
}

void Plotter::walk()
{
    lightstat.fill(OutputState::notNamed);
    valvestat.fill(OutputState::notNamed);
    const int last = std::min(program.proglast(), progCapacity - 1);
    // A program that shrank after its last sync can leave nextstep past its end.
    const int next = program.nextstep();
    int simstep = next >= 0 && next <= last ? next : 0;
    int pass = 0;
    while (pass < passes) {
        const ScheduleRow& row = program.sched()[static_cast<std::size_t>(simstep)];
        tnow = hourOf(row[column::time]);
        const auto* type = std::get_if<std::string>(&row[column::letter]);
        if (type && *type == "L") {
            for (int i = 0; i < outputs; ++i)
                light(row, i);
        } else if (type && *type == "T") {
            temperature(row);
        } else if (type && *type == "W") {
            for (int i = 0; i < outputs; ++i)
                water(row, i);
        }
        if (++simstep > last) {
            simstep = 0;
            ++pass;
            if (drawing)
                closeDay();
            ldrawn.fill(false);
            wdrawn.fill(false);
            tchange = 0;
            if (pass > 1)
                drawing = true;
        }
    }
}

void Plotter::light(const ScheduleRow& row, int i)
{
    const auto k = static_cast<std::size_t>(i);
    const double s = cellValue(row[column::output(i + 1)]);
    if (s != OutputState::off && s != OutputState::on)
        return;
    if (drawing) {
        const double p = lightstat[k];
        const double start = ldrawn[k] ? lchange[k] : 0;
        ldrawn[k] = true;
        line(start, lightLevel(i, p), tnow, lightLevel(i, p));
        if (p != s)
            line(tnow, lightLevel(i, p), tnow, lightLevel(i, s));
    }
    lightstat[k] = s;
    lchange[k] = tnow;
}

void Plotter::temperature(const ScheduleRow& row)
{
    const double lo = cellValue(row[column::low]);
    const double hi = cellValue(row[column::high]);
    if (drawing) {
        const auto y = temperatureLevel;
        if (lo == lowprev)
            canvas.line(tchange, y(lowprev), tnow, y(lo), lowSetPoint);
        if (hi == highprev)
            canvas.line(tchange, y(highprev), tnow, y(hi), highSetPoint);
        if (lo != lowprev) {
            canvas.line(tchange, y(lowprev), tnow, y(lowprev), lowSetPoint);
            canvas.line(tnow, y(lowprev), tnow, y(lo), lowSetPoint);
        }
        if (hi != highprev) {
            canvas.line(tchange, y(highprev), tnow, y(highprev), highSetPoint);
            canvas.line(tnow, y(highprev), tnow, y(hi), highSetPoint);
        }
    }
    lowprev = lo;
    highprev = hi;
    tchange = tnow;
}

void Plotter::water(const ScheduleRow& row, int i)
{
    const auto k = static_cast<std::size_t>(i);
    const double s = cellValue(row[column::output(i + 1)]);
    if (!OutputState::isNamed(s))
        return;
    if (drawing) {
        const double p = valvestat[k];
        const double start = wdrawn[k] ? wchange[k] : 0;
        using S = OutputState;
        const bool steady = (p == S::off && s == S::off) || (p == S::on && s == S::on) ||
                            (S::isPulsed(s) && !S::isPulsed(p));
        const bool switching = (p == S::on && s == S::off) || (p == S::off && s == S::on);
        if (steady || switching) {
            wdrawn[k] = true;
            line(start, valveLevel(i, p), tnow, valveLevel(i, p));
        }
        if (switching)
            line(tnow, valveLevel(i, p), tnow, valveLevel(i, s));
        if (OutputState::isPulsed(p)) {
            wdrawn[k] = true;
            pulseBlock(i, tnow, start, p);
        }
    }
    valvestat[k] = s;
    wchange[k] = tnow;
}

// From x = a back to x = b; the label stands at the block's left end, the second corner.
void Plotter::pulseBlock(int i, double a, double b, double state)
{
    const double bottom = valveLevel(i, OutputState::off), top = valveLevel(i, OutputState::on);
    canvas.fillRect(a, bottom, b, top, pulseFill);
    canvas.outlineRect(a, bottom, b, top, black);
    drawText(canvas, b, top, std::string(" ").append(display.valveState(state)));
}

void Plotter::closeDay()
{
    canvas.line(tchange, temperatureLevel(highprev), 24, temperatureLevel(highprev), highSetPoint);
    canvas.line(tchange, temperatureLevel(lowprev), 24, temperatureLevel(lowprev), lowSetPoint);
    for (int i = 0; i < outputs; ++i) {
        const auto k = static_cast<std::size_t>(i);
        lightstat[k] = std::max(lightstat[k], OutputState::off);
        canvas.line(lchange[k], lightLevel(i, lightstat[k]), 24, lightLevel(i, lightstat[k]), black);
    }
    for (int i = 0; i < outputs; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (OutputState::isPulsed(valvestat[k])) {
            pulseBlock(i, 24, wchange[k], valvestat[k]);
        } else {
            valvestat[k] = std::max(valvestat[k], OutputState::off);
            line(wchange[k], valveLevel(i, valvestat[k]), 24, valveLevel(i, valvestat[k]));
        }
    }
}

// Beside the end of each trace; exact seconds, so they may differ from the drawn
// traces by the seconds the chart leaves out.
void drawTotals(Canvas& canvas, const Display& display, const DayTotals& totals)
{
    canvas.setFontSize(chartFontPoints);
    for (int i = 0; i < outputs; ++i) {
        const auto k = static_cast<std::size_t>(i);
        drawText(canvas, 24.1, lightLevel(i, 0.6 / 0.7), display.hours(totals.lightsOn[k]) + " h");
        // Steady hours, pulsed hours after a P: "1.5 h", "P 4 h", "0.8+P1 h" (the
        // margin holds some eight letters).
        const int on = totals.valvesOn[k], pulsed = totals.valvesPulsed[k];
        const std::string valve = pulsed == 0 ? display.hours(on) + " h"
                                  : on == 0   ? "P " + display.hours(pulsed) + " h"
                                              : display.hours(on) + "+P" + display.hours(pulsed) + " h";
        drawText(canvas, 24.1, valveLevel(i, 0.6 / 0.7), valve);
    }
}

} // namespace

bool plot(const Program& program, const Display& display, ChartState& state, Canvas& canvas, MessageBox& messages,
          const Underlay& underlay)
{
    if (program.proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return false;
    }
    if (!state.scaled) {
        canvas.scale(chartLeft, chartTop, chartRight, chartBottom);
        state.scaled = true;
    }
    const Cycle cycle(program);
    Plotter plotter(program, display, canvas);
    plotter.frame(underlay, cycle.days().size(), state.rowLabelPoints);
    plotter.walk();
    if (state.totals)
        drawTotals(canvas, display, totalsOf(cycle.days().front()));
    return true;
}

std::optional<std::string> printChart(const DisplayList& chart, double width, double height, Printer& printer,
                                      const std::string& jobName)
{
    printer.setJobName(jobName);
    printer.setLandscape(true);
    const PageRect area = printer.pageArea();
    // Labels drawn before a title set its size are in the window's font.
    DisplayList picture;
    picture.setFontSize(chartFontPoints);
    picture.append(chart);
    printer.paint(picture, width, height,
                  {area.left + area.width / 25, area.top + area.height / 25, area.width / 1.1, area.height / 1.1});
    return printer.endDoc();
}

} // namespace fh
