#pragma once

// Drawing surface in user coordinates chosen by the caller, y may grow upwards.
// Realised on a QPainter (window, image, SVG, PDF, printer) and by a recording double.

#include <cstdint>
#include <string>

namespace fh {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // The surface spans left..right horizontally and top..bottom vertically.
    virtual void scale(double left, double top, double right, double bottom) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Color color) = 0;
    virtual void fillRect(double x1, double y1, double x2, double y2, Color color) = 0;
    virtual void outlineRect(double x1, double y1, double x2, double y2, Color color) = 0;
    virtual void point(double x, double y, Color color) = 0;
    // Text in UTF-8 (a file's name may be in any script), with its top-left corner at
    // (x, y), in the current font size.
    virtual void text(double x, double y, const std::string& text, Color color) = 0;
    // Text with the middle of its left end at (x, y).
    virtual void textMiddle(double x, double y, const std::string& text, Color color) = 0;
    virtual void setFontSize(double points) = 0;
};

} // namespace fh
