#include "platform/qt/paintercanvas.h"

#include "platform/qt/qtfonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace fh {

namespace {

// The chart is laid out for a window; on a printer its text keeps the size it has
// there next to the lines, whatever the printer's resolution.
constexpr double screenDpi = 96;

QColor qcolor(Color c) { return QColor(c.r, c.g, c.b); }

// Far outside any device, and never an out-of-range conversion (NaN included).
int devicePixel(double v)
{
    constexpr double limit = 1e6;
    if (!(v > -limit))
        return -static_cast<int>(limit);
    if (!(v < limit))
        return static_cast<int>(limit);
    return static_cast<int>(std::floor(v + 0.5));
}

// Both corners included, in whichever order they come.
QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QRectF& target, double fontPoints)
    : painter(painter), target(target), font(documentFont(fontPoints))
{
    setFontSize(fontPoints);
    painter.setRenderHint(QPainter::Antialiasing, false);
    scale(0, 0, target.width(), target.height());
}

void PainterCanvas::scale(double l, double t, double r, double b)
{
    // A surface with no width or height has no coordinates; keep the old ones.
    if (r == l || b == t || !std::isfinite(r - l) || !std::isfinite(b - t))
        return;
    left = l;
    top = t;
    spanX = r - l;
    spanY = b - t;
}

// The share of the span times the size, in this order: a point on a half pixel then
// lands where (x - left) / (right - left) * width puts it, not one pixel off.
QPoint PainterCanvas::pixel(double x, double y) const
{
    return {devicePixel(target.left() + (x - left) / spanX * target.width()),
            devicePixel(target.top() + (y - top) / spanY * target.height())};
}

void PainterCanvas::line(double x1, double y1, double x2, double y2, Color color)
{
    painter.setPen(QPen(qcolor(color), 0));
    painter.drawLine(pixel(x1, y1), pixel(x2, y2));
}

void PainterCanvas::fillRect(double x1, double y1, double x2, double y2, Color color)
{
    painter.fillRect(spanning(pixel(x1, y1), pixel(x2, y2)), qcolor(color));
}

void PainterCanvas::outlineRect(double x1, double y1, double x2, double y2, Color color)
{
    const QRect r = spanning(pixel(x1, y1), pixel(x2, y2));
    const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()};
    painter.setPen(QPen(qcolor(color), 0));
    painter.drawPolyline(corners, 5);
}

void PainterCanvas::point(double x, double y, Color color)
{
    painter.fillRect(QRect(pixel(x, y), QSize(1, 1)), qcolor(color));
}

void PainterCanvas::text(double x, double y, const std::string& text, Color color)
{
    drawText(x, y, QFontMetricsF(font, painter.device()).ascent(), text, color);
}

void PainterCanvas::textMiddle(double x, double y, const std::string& text, Color color)
{
    const QFontMetricsF metrics(font, painter.device());
    drawText(x, y, (metrics.ascent() - metrics.descent()) / 2, text, color);
}

void PainterCanvas::drawText(double x, double y, double baseline, const std::string& text, Color color)
{
    painter.setFont(font);
    painter.setPen(QPen(qcolor(color), 0));
    const QPoint at = pixel(x, y);
    painter.drawText(QPointF(at.x(), at.y() + baseline),
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PainterCanvas::setFontSize(double points)
{
    if (points > 0 && std::isfinite(points))
        font.setPointSizeF(points * screenDpi / painter.device()->logicalDpiY());
}

} // namespace fh
