#include "platform/qt/qtfonts.h"

namespace fh {

QFont sansFont(double points, bool bold)
{
    QFont font(QString::fromLatin1(sansFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QFont fixedFont(double points, bool bold)
{
    QFont font(QString::fromLatin1(fixedFamily));
    font.setStyleHint(QFont::TypeWriter, QFont::NoFontMerging);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(QString::fromLatin1(fixedFamily), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QString::fromLatin1(sansFamily), QStringLiteral("Liberation Sans"));
}

} // namespace fh
