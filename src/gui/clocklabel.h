#pragma once

// A label whose text changes every second while the program idles: the main window's
// clock and the simulation window's time. An idle second costs little work, but on a
// machine that sleeps between seconds every page of code that work touches comes back
// cold, so a second's cost is mostly the code it runs. This label keeps that small:
// - it is repainted alone (see paintAlone), not with the window beneath it;
// - its new text is painted there and then, without posting a paint (see showTime);
// - it draws each character from an image made once, without laying out the text or
//   asking the font for it again; an unusual text (a frame, margins, a wrapped line or
//   characters beyond Latin-1) falls back to the plain label's painting.

#include <QFont>
#include <QImage>
#include <QLabel>

#include <array>

namespace fh {

class ClockLabel : public QLabel {
public:
    explicit ClockLabel(const QString& text, QWidget* parent = nullptr);

    // Fixes the label's size, so a new text asks for no layout, and cuts it where a
    // control stacked above it overlaps it, so that control is not painted again over
    // it. Call it once every control of the window is made and placed.
    void paintAlone();

    // Gives the label its new text and paints it there and then: a label asks for its
    // paint by posting an event, which would wake the event loop once more each second.
    // Held off, say by a window held off, it is left to paint when updates are on.
    void showTime(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Null until first drawn; never empty once drawn, for its padding.
    struct Glyph {
        QImage image;
        qreal advance = 0;
    };

    // One line of text the glyphs can draw: no frame, margin or indent, and
    // printable Latin-1 only.
    bool plainLine() const;
    // Draws the text from the glyphs, unless it wraps.
    bool drawFromGlyphs();
    const Glyph& glyph(char16_t c);

    // What the glyphs were drawn with; when any of it changes they are drawn again.
    QFont face;
    QRgb ink = 0;
    qreal ratio = 0;
    qreal ascent = 0;
    qreal lineHeight = 0;
    qreal pad = 0;
    std::array<Glyph, 256> glyphs;
};

} // namespace fh
