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

} // namespace

void plotCompared(const Program& program, const Display& display, const std::vector<DayDifference>& differences,
                  const std::string& name, double labelPoints, Canvas& canvas, MessageBox& messages)
{
    canvas.scale(chartLeft, chartTop, chartRight, chartBottom);
    // Labels drawn before the title are in the chart window's font, on paper too.
    canvas.setFontSize(chartFontPoints);
    if (program.proglast() >= 0) {
        // Under the traces, so that they stay on top.
        const auto shades = [&](Canvas& under) {
            for (const DayDifference& d : differences) {
                // The chart draws day 1.
                if (d.day > 1)
                    continue;
                const auto [bottom, top] = band(d.item);
                under.fillRect(d.from / 3600.0, top, d.to / 3600.0, bottom, differenceShade);
            }
        };
        // The coordinates are set; the chart's totals would crowd a half-height chart.
        ChartState state{true, {}, false, labelPoints};
        plot(program, display, state, canvas, messages, shades);
    }
    canvas.setFontSize(labelPoints);
    canvas.text(chartLeft + 0.2, chartTop - 0.4, name, black);
}

} // namespace fh
