#pragma once

// A label whose text changes every second while the program idles (a clock) is
// repainted alone, not with the window beneath it and the controls above it: fixed in
// size, so a new text asks for no layout; filling its own background, so the window's
// is not painted under it; and cut where a control stacked above it overlaps it, so
// that control is not painted again over it. The cut part is hidden by that control
// anyway, and the label's background is the window's, so nothing looks different.
// Call it once every control of the window is made and placed.

#include <QLabel>
#include <QRegion>

namespace fh {

inline void paintAlone(QLabel& label)
{
    label.setFixedSize(label.size());
    label.setAutoFillBackground(true);
    const QWidget* parent = label.parentWidget();
    if (!parent)
        return;
    QRegion uncovered(label.rect());
    const QObjectList& stack = parent->children();
    for (qsizetype i = stack.indexOf(&label) + 1; i > 0 && i < stack.size(); ++i)
        if (const auto* above = qobject_cast<const QWidget*>(stack.at(i)); above && !above->isWindow())
            uncovered -= above->geometry().translated(-label.pos());
    if (uncovered != QRegion(label.rect()))
        label.setMask(uncovered);
}

// Gives such a label its new text and paints it there and then. A label asks for its
// paint by posting an event, which wakes the event loop once more each second; with
// its updates held off while the text is set, the paint below is the only one.
// (The attribute is set directly: setUpdatesEnabled(true) would post that paint.)
// Held off already, say by a window held off, it is left to paint when they are on.
inline void showAlone(QLabel& label, const QString& text)
{
    if (label.text() == text)
        return;
    if (!label.updatesEnabled()) {
        label.setText(text);
        return;
    }
    label.setAttribute(Qt::WA_UpdatesDisabled);
    label.setText(text);
    label.setAttribute(Qt::WA_UpdatesDisabled, false);
    label.repaint();
}

} // namespace fh
