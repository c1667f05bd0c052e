#pragma once

// The chart window's picture: a display list painted over the window's background
// at whatever size the window, the page or the file asks for.

#include "platform/displaylist.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <optional>
#include <string>

class QPainter;

namespace fh {

void paintChart(QPainter& painter, const QRect& area, const DisplayList& chart);
QImage chartImage(const DisplayList& chart, const QSize& size);

// A chart with its picture at the size last asked for, so that covering and
// uncovering a window costs no redraw; drawn again when the chart or the size changes.
class CachedChart {
public:
    const DisplayList& chart() const { return chart_; }
    void set(DisplayList chart);
    const QImage& at(const QSize& size);

private:
    DisplayList chart_;
    QImage picture;
};

enum class ChartFormat { Png, Svg, Pdf };
// The chart as the chart window shows it at `size`, as the bytes of a file (a PDF of
// one page that size, and below it a margin with footerLine(footer, 1, 1) unless
// `footer` is empty); no value when it could not be painted.
std::optional<QByteArray> chartFile(const DisplayList& chart, const QSize& size, ChartFormat format,
                                    const std::string& footer = {});

} // namespace fh
