#pragma once

// A drawing kept as the primitives it was drawn with, so it can be painted again at
// any size, printed, written to a file, or examined by a test.

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace fh {

struct DrawItem {
    enum Kind { Scale, Line, FillRect, OutlineRect, Point, Text, TextMiddle, FontSize } kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // FontSize keeps its points in x1
    Color color;
    std::string text;
    friend bool operator==(const DrawItem&, const DrawItem&) = default;
};

class DisplayList : public Canvas {
public:
    void scale(double left, double top, double right, double bottom) override;
    void line(double x1, double y1, double x2, double y2, Color color) override;
    void fillRect(double x1, double y1, double x2, double y2, Color color) override;
    void outlineRect(double x1, double y1, double x2, double y2, Color color) override;
    void point(double x, double y, Color color) override;
    void text(double x, double y, const std::string& text, Color color) override;
    void textMiddle(double x, double y, const std::string& text, Color color) override;
    void setFontSize(double points) override;

    // Draws every item again, in order, onto `canvas`.
    void replay(Canvas& canvas) const;
    // Appends the items of `other`, drawn after these.
    void append(const DisplayList& other);

    const std::vector<DrawItem>& items() const { return items_; }
    bool empty() const { return items_.empty(); }

private:
    std::vector<DrawItem> items_;
};

} // namespace fh
