#pragma once

// What the windows' control tables share: a row's fields and faces, the placing of
// a made control, and the lookup of a control by the name its table gives it.

#include <QRect>
#include <QString>
#include <QWidget>

#include <stdexcept>
#include <string>

namespace fh {

// Inherited is the window's own 8-point sans.
enum class Face { Inherited, Large, Medium, MediumBold, CommandList, Fixed, FixedBold };

// One control of a window, in the window's own Kind of controls.
template <class Kind>
struct Control {
    Kind kind;
    const char* name;
    const char* caption;
    QRect at;
    // For screen readers, and the tooltip: what the control is or does.
    const char* spoken;
    const char* tip;
    Face face = Face::Inherited;
};

// Names, places, describes and sets the face of a control made from its row.
void place(QWidget& w, const char* name, const QRect& at, const char* spoken, const char* tip, Face face);

template <class Kind>
void place(QWidget& w, const Control<Kind>& row)
{
    place(w, row.name, row.at, row.spoken, row.tip, row.face);
}

// The control `name` of a window, as its table made it. A name no table gives, or a
// control of another class, is a fault of the program: it throws, so a misspelt name
// fails the window's first build instead of leaving a feature silently out.
template <class W>
W& child(const QWidget& window, const QString& name)
{
    W* found = window.findChild<W*>(name);
    if (!found)
        throw std::logic_error("no control " + name.toStdString() + " of that class on " +
                               window.objectName().toStdString());
    return *found;
}

// Gives a label or button its new Latin-1 text only when it differs: an unchanged text
// asks for no paint.
template <class W>
void setLatin1Text(W* w, const std::string& text)
{
    const QString shown = QString::fromLatin1(text);
    if (w->text() != shown)
        w->setText(shown);
}

} // namespace fh
