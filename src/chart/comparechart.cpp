#include "chart/comparechart.h"

#include "chart/chart.h"
#include "compiler/program.h"

namespace fh {

namespace {

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
        for (const DayDifference& d : shades)
            target.fillRect(d.from / 3600.0, 10, d.to / 3600.0, -10, differenceShade);
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
    canvas.setFontSize(chartTitlePoints);
    canvas.text(18.5, 11, name, black);
}

} // namespace fh
