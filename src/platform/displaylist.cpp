#include "platform/displaylist.h"

namespace fh {

void DisplayList::scale(double left, double top, double right, double bottom)
{
    items_.push_back({DrawItem::Scale, left, top, right, bottom, {}, {}});
}

void DisplayList::line(double x1, double y1, double x2, double y2, Color color)
{
    items_.push_back({DrawItem::Line, x1, y1, x2, y2, color, {}});
}

void DisplayList::fillRect(double x1, double y1, double x2, double y2, Color color)
{
    items_.push_back({DrawItem::FillRect, x1, y1, x2, y2, color, {}});
}

void DisplayList::outlineRect(double x1, double y1, double x2, double y2, Color color)
{
    items_.push_back({DrawItem::OutlineRect, x1, y1, x2, y2, color, {}});
}

void DisplayList::point(double x, double y, Color color)
{
    items_.push_back({DrawItem::Point, x, y, x, y, color, {}});
}

void DisplayList::text(double x, double y, const std::string& text, Color color)
{
    items_.push_back({DrawItem::Text, x, y, x, y, color, text});
}

void DisplayList::textMiddle(double x, double y, const std::string& text, Color color)
{
    items_.push_back({DrawItem::TextMiddle, x, y, x, y, color, text});
}

void DisplayList::setFontSize(double points)
{
    items_.push_back({DrawItem::FontSize, points, 0, 0, 0, {}, {}});
}

void DisplayList::replay(Canvas& canvas) const
{
    for (const DrawItem& d : items_) {
        switch (d.kind) {
        case DrawItem::Scale:
            canvas.scale(d.x1, d.y1, d.x2, d.y2);
            break;
        case DrawItem::Line:
            canvas.line(d.x1, d.y1, d.x2, d.y2, d.color);
            break;
        case DrawItem::FillRect:
            canvas.fillRect(d.x1, d.y1, d.x2, d.y2, d.color);
            break;
        case DrawItem::OutlineRect:
            canvas.outlineRect(d.x1, d.y1, d.x2, d.y2, d.color);
            break;
        case DrawItem::Point:
            canvas.point(d.x1, d.y1, d.color);
            break;
        case DrawItem::Text:
            canvas.text(d.x1, d.y1, d.text, d.color);
            break;
        case DrawItem::TextMiddle:
            canvas.textMiddle(d.x1, d.y1, d.text, d.color);
            break;
        case DrawItem::FontSize:
            canvas.setFontSize(d.x1);
            break;
        }
    }
}

void DisplayList::append(const DisplayList& other)
{
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
}

} // namespace fh
