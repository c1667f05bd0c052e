#include "gui/clocklabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>
#include <QStyle>

#include <cmath>

namespace fh {

namespace {

// Characters drawn alone look as they do in a line: printable Latin-1, without the
// soft hyphen, which a line hides.
bool drawnAlone(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF && c != 0xAD);
}

} // namespace

ClockLabel::ClockLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    // Every paint fills the whole label, so the window beneath is never painted for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockLabel::paintAlone()
{
    setFixedSize(size());
    const QWidget* parent = parentWidget();
    if (!parent)
        return;
    QRegion uncovered(rect());
    const QObjectList& stack = parent->children();
    for (qsizetype i = stack.indexOf(this) + 1; i > 0 && i < stack.size(); ++i)
        if (const auto* above = qobject_cast<const QWidget*>(stack.at(i)); above && !above->isWindow())
            uncovered -= above->geometry().translated(-pos());
    if (uncovered != QRegion(rect()))
        setMask(uncovered);
}

void ClockLabel::showTime(const QString& text)
{
    if (this->text() == text)
        return;
    if (!updatesEnabled()) {
        setText(text);
        return;
    }
    // Set directly: setUpdatesEnabled(true) would post the paint this saves.
    setAttribute(Qt::WA_UpdatesDisabled);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    repaint();
}

bool ClockLabel::plainLine() const
{
    if (frameWidth() != 0 || margin() != 0 || indent() > 0 || text().isEmpty())
        return false;
    for (const QChar c : text())
        if (!drawnAlone(c.unicode()))
            return false;
    return true;
}

const ClockLabel::Glyph& ClockLabel::glyph(char16_t c)
{
    Glyph& g = glyphs.at(c);
    if (!g.image.isNull())
        return g;
    const QFontMetricsF metrics(face);
    g.advance = metrics.horizontalAdvance(QChar(c));
    const QSizeF size(g.advance + 2 * pad, lineHeight + 2 * pad);
    g.image = QImage(QSize(static_cast<int>(std::ceil(size.width() * ratio)), static_cast<int>(std::ceil(size.height() * ratio))),
                     QImage::Format_ARGB32_Premultiplied);
    g.image.setDevicePixelRatio(ratio);
    // The font is sized for the label's screen, and the image must read its points alike.
    g.image.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
    g.image.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
    g.image.fill(Qt::transparent);
    QPainter painter(&g.image);
    painter.setFont(face);
    painter.setPen(QColor::fromRgba(ink));
    painter.drawText(QPointF(pad, pad + ascent), QString(QChar(c)));
    return g;
}

void ClockLabel::paintEvent(QPaintEvent* event)
{
    if (!plainLine() || !drawFromGlyphs()) {
        {
            QPainter background(this);
            background.fillRect(rect(), palette().brush(backgroundRole()));
        }
        QLabel::paintEvent(event);
    }
}

bool ClockLabel::drawFromGlyphs()
{
    const QRgb color = palette().color(foregroundRole()).rgba();
    if (font() != face || color != ink || devicePixelRatioF() != ratio) {
        face = font();
        ink = color;
        ratio = devicePixelRatioF();
        const QFontMetricsF metrics(face);
        ascent = metrics.ascent();
        lineHeight = metrics.height();
        // Room for the parts of a glyph outside its advance and its line.
        pad = std::ceil(lineHeight / 2);
        glyphs.fill(Glyph{});
    }
    const QString shown = text();
    qreal width = 0;
    for (const QChar c : shown)
        width += glyph(c.unicode()).advance;
    const QRectF box = contentsRect();
    if (wordWrap() && width > box.width())
        return false;

    // Placed as the label places a line.
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = box.left();
    if (align & Qt::AlignRight)
        x = box.right() - width;
    else if (align & Qt::AlignHCenter)
        x += (box.width() - width) / 2;
    qreal y = box.top();
    if (align & Qt::AlignBottom)
        y = box.bottom() - lineHeight;
    else if (align & Qt::AlignVCenter)
        y += (box.height() - lineHeight) / 2;

    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    for (const QChar c : shown) {
        const Glyph& g = glyph(c.unicode());
        painter.drawImage(QPointF(std::round(x) - pad, std::round(y) - pad), g.image);
        x += g.advance;
    }
    return true;
}

} // namespace fh
