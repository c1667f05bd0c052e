#pragma once

// A canvas on a QPainter: user coordinates mapped onto a target rectangle of the
// painter's device, one-pixel lines and points snapped to whole device pixels, texts
// in the fixed-pitch font. The chart window, the printer and the chart files all
// draw here.

#include "platform/canvas.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace fh {

class PainterCanvas : public Canvas {
public:
    // Until scale() is called, user units are device pixels from the target's corner.
    PainterCanvas(QPainter& painter, const QRectF& target, double fontPoints);

    void scale(double left, double top, double right, double bottom) override;
    void line(double x1, double y1, double x2, double y2, Color color) override;
    void fillRect(double x1, double y1, double x2, double y2, Color color) override;
    void outlineRect(double x1, double y1, double x2, double y2, Color color) override;
    void point(double x, double y, Color color) override;
    void text(double x, double y, const std::string& text, Color color) override;
    void textMiddle(double x, double y, const std::string& text, Color color) override;
    void setFontSize(double points) override;

private:
    QPoint pixel(double x, double y) const;
    // Draws `text` with its baseline `baseline` pixels below (x, y).
    void drawText(double x, double y, double baseline, const std::string& text, Color color);

    QPainter& painter;
    QRectF target;
    // The user rectangle: its top-left corner and its extent (negative where an axis
    // runs backwards).
    double left = 0, top = 0, spanX = 1, spanY = 1;
    QFont font;
};

} // namespace fh
