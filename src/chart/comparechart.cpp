#include "chart/comparechart.h"

#include "chart/chart.h"
#include "compiler/program.h"

#include <utility>

namespace fh {

namespace {

// The rows of the chart an item's difference shades: a light's or a valve's trace, the
// free row above the valves for a pulse timer, the temperature scale for a set-point.
std::pair<double, double> band(int item)
{
    constexpr double margin = 0.15;
    if (item < outputCount)
        return {lightLevel(item, 0) - margin, lightLevel(item, 1) + margin};
    if (item < 2 * outputCount)
        return {valveLevel(item - outputCount, 0) - margin, valveLevel(item - outputCount, 1) + margin};
    if (item < 3 * outputCount)
        return {valveLevel(outputCount, 0) - 0.1, lightLevel(0, 0) - 0.2};
    return {-10, valveLevel(0, 0) - 0.2};
}

// Passes the chart through, laying the shades on the plot's background as soon as
// it is filled, so that the traces drawn afterwards stay on top.
class ShadingCanvas : public Canvas {
public:
    ShadingCanvas(Canvas& drawn, const std::vector<DayDifference>& stretches) : target(drawn), shades(stretches) {}

    void scale(double left, double top, double right, double bottom) override
    {
        target.scale(left, top, right, bottom);
    }
    void line(double x1, double y1, double x2, double y2, Color color) override
    {
        target.line(x1, y1, x2, y2, color);
    }
    void fillRect(double x1, double y1, double x2, double y2, Color color) override
    {
        target.fillRect(x1, y1, x2, y2, color);
        if (shaded || color != plotBackground)
            return;
        shaded = true;
        for (const DayDifference& d : shades) {
            const auto [bottom, top] = band(d.item);
            target.fillRect(d.from / 3600.0, top, d.to / 3600.0, bottom, differenceShade);
        }
    }
    void outlineRect(double x1, double y1, double x2, double y2, Color color) override
    {
        target.outlineRect(x1, y1, x2, y2, color);
    }
    void point(double x, double y, Color color) override { target.point(x, y, color); }
    void text(double x, double y, const std::string& text, Color color) override { target.text(x, y, text, color); }
    void setFontSize(double points) override { target.setFontSize(points); }

private:
    Canvas& target;
    const std::vector<DayDifference>& shades;
    bool shaded = false;
};

} // namespace

void plotCompared(const Program& program, const Display& display, const std::vector<DayDifference>& differences,
                  const std::string& name, Canvas& canvas, MessageBox& messages)
{
    canvas.scale(chartLeft, chartTop, chartRight, chartBottom);
    // Labels drawn before the title are in the chart window's font, on paper too.
    canvas.setFontSize(chartFontPoints);
    if (program.proglast() >= 0) {
        ShadingCanvas shading(canvas, differences);
        // The coordinates are set; the chart's totals would crowd a half-height chart.
        ChartState state{true, {}, false};
        plot(program, display, state, shading, messages);
    }
    canvas.setFontSize(chartFontPoints);
    canvas.text(chartLeft + 0.2, chartTop - 0.4, name, black);
}

} // namespace fh
