#include "gui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace fh {

QPixmap picture(const QString& name, QSize size)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

QIcon leafIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128})
        icon.addPixmap(picture(QStringLiteral("leaf"), QSize(side, side)));
    return icon;
}

} // namespace fh
