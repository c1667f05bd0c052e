#include "platform/doubles/doubles.h"

namespace fh::doubles {

TextFiles::Read MemoryTextFiles::read(const std::string& path, std::size_t limit)
{
    if (const auto f = failing.find(path); f != failing.end())
        return {false, {}, f->second};
    const auto found = files.find(path);
    if (found == files.end())
        return {false, {}, "No such file or directory"};
    if (found->second.size() > limit)
        return {false, {}, tooLarge(limit)};
    return {true, found->second, {}};
}

std::optional<std::string> MemoryTextFiles::write(const std::string& path, const std::string& bytes)
{
    if (const auto f = failing.find(path); f != failing.end())
        return f->second;
    files[path] = bytes;
    return std::nullopt;
}

void RecordingCanvas::scale(double left, double top, double right, double bottom)
{
    drawn.push_back({Primitive::Scale, left, top, right, bottom, {}, {}});
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2, Color color)
{
    drawn.push_back({Primitive::Line, x1, y1, x2, y2, color, {}});
}

void RecordingCanvas::fillRect(double x1, double y1, double x2, double y2, Color color)
{
    drawn.push_back({Primitive::FillRect, x1, y1, x2, y2, color, {}});
}

void RecordingCanvas::outlineRect(double x1, double y1, double x2, double y2, Color color)
{
    drawn.push_back({Primitive::OutlineRect, x1, y1, x2, y2, color, {}});
}

void RecordingCanvas::point(double x, double y, Color color)
{
    drawn.push_back({Primitive::Point, x, y, x, y, color, {}});
}

void RecordingCanvas::text(double x, double y, const std::string& text, Color color)
{
    drawn.push_back({Primitive::Text, x, y, x, y, color, text});
}

void RecordingCanvas::setFontSize(double points)
{
    drawn.push_back({Primitive::FontSize, points, 0, 0, 0, {}, {}});
}

} // namespace fh::doubles
