#include "platform/qt/qtfonts.h"

#include <QFont>

namespace fh {

void installFontSubstitutes()
{
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
}

} // namespace fh
