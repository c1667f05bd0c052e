#include "gui/chartpicture.h"

#include "chart/chart.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QPainter>

namespace fh {

void paintChart(QPainter& painter, const QRect& area, const DisplayList& chart)
{
    painter.fillRect(area, QColor(chartWindowColor.r, chartWindowColor.g, chartWindowColor.b));
    PainterCanvas canvas(painter, area, chartFontPoints);
    chart.replay(canvas);
}

QImage chartImage(const DisplayList& chart, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintChart(painter, image.rect(), chart);
    return image;
}

} // namespace fh
