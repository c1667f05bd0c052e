#pragma once

// The chart window's picture: a display list painted over the window's background
// at whatever size the window, the page or the file asks for.

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <optional>

class QPainter;

namespace fh {

class DisplayList;

void paintChart(QPainter& painter, const QRect& area, const DisplayList& chart);
QImage chartImage(const DisplayList& chart, const QSize& size);

enum class ChartFormat { Png, Svg, Pdf };
// The chart as the chart window shows it at `size`, as the bytes of a file (a PDF of
// one page that size); no value when it could not be painted.
std::optional<QByteArray> chartFile(const DisplayList& chart, const QSize& size, ChartFormat format);

} // namespace fh
