#include "platform/qt/qtfonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace fh {

namespace {

constexpr const char* sansSubstitute = "Liberation Sans";
constexpr const char* fixedSubstitute = "Liberation Mono";

QString installedFamily(const char* family, const char* substitute)
{
    const QStringList installed = QFontDatabase::families();
    const QString name = QString::fromLatin1(family);
    const QString other = QString::fromLatin1(substitute);
    if (installed.contains(name, Qt::CaseInsensitive) || !installed.contains(other, Qt::CaseInsensitive))
        return name;
    return other;
}

// The hinting is always set, so that it is not taken from a sans-serif widget or
// default font.
QFont typewriter(const QString& family, double points, bool bold, QFont::HintingPreference hinting)
{
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(hinting);
    return font;
}

} // namespace

QFont sansFont(double points, bool bold)
{
    static const QString family = installedFamily(sansFamily, sansSubstitute);
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont fixedFont(double points, bool bold)
{
    static const QString family = installedFamily(fixedFamily, fixedSubstitute);
    return typewriter(family, points, bold, QFont::PreferNoHinting);
}

QFont documentFont(double points)
{
    return typewriter(QString::fromLatin1(fixedFamily), points, false, QFont::PreferDefaultHinting);
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(QString::fromLatin1(fixedFamily), QString::fromLatin1(fixedSubstitute));
}

} // namespace fh
