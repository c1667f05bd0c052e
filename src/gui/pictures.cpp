#include "gui/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QSvgRenderer>

#include <optional>

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

// A standard icon of `style`, made when first drawn.
class DeferredEngine : public QIconEngine {
public:
    DeferredEngine(const QStyle* base, QStyle::StandardPixmap standard) : style(base), which(standard) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredEngine(*this); }

private:
    QPointer<const QStyle> style;
    QStyle::StandardPixmap which;
    std::optional<QIcon> icon;

    const QIcon& made()
    {
        if (!icon)
            icon = style ? style->standardIcon(which) : QIcon();
        return *icon;
    }
};

class DeferredIconStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

QStyle* deferredIconStyle() { return new DeferredIconStyle; }

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
