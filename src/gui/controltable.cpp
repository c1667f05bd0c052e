#include "gui/controltable.h"

#include "platform/qt/qtfonts.h"

#include <optional>

namespace fh {

namespace {

std::optional<QFont> fontOf(Face face)
{
    switch (face) {
    case Face::Large:
        return sansFont(18);
    case Face::Medium:
        return sansFont(13.5);
    case Face::MediumBold:
        return sansFont(13.5, true);
    case Face::CommandList:
        return sansFont(12, true);
    case Face::Fixed:
        return fixedFont(8);
    case Face::FixedBold:
        return fixedFont(9.75, true);
    case Face::Inherited:
        break;
    }
    return std::nullopt;
}

} // namespace

void place(QWidget& w, const char* name, const QRect& at, const char* spoken, const char* tip, Face face)
{
    w.setObjectName(QString::fromLatin1(name));
    w.setGeometry(at);
    w.setAccessibleName(QString::fromLatin1(spoken));
    w.setToolTip(QString::fromLatin1(tip));
    if (const auto font = fontOf(face))
        w.setFont(*font);
}

} // namespace fh
