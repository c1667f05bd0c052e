#pragma once

// The chart window's picture: a display list painted over the window's background
// at whatever size the window, the page or the file asks for.

#include <QImage>
#include <QRect>

class QPainter;

namespace fh {

class DisplayList;

void paintChart(QPainter& painter, const QRect& area, const DisplayList& chart);
QImage chartImage(const DisplayList& chart, const QSize& size);

} // namespace fh
