#include "gui/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace fh {

namespace {

QString resource(const QString& name) { return QStringLiteral(":/pictures/%1.svg").arg(name); }

// Draws the leaf at the size asked for when it is asked for: start-up need not
// draw sizes that no window system may ever ask for.
class LeafEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer(resource(QStringLiteral("leaf"))).render(painter, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return picture(QStringLiteral("leaf"), size);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : {16, 32, 48, 64, 128})
            sizes.append(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new LeafEngine; }
};

} // namespace

QPixmap picture(const QString& name, QSize size)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(resource(name));
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

QIcon leafIcon() { return QIcon(new LeafEngine); }

} // namespace fh
