#include "draw/chartpicture.h"

#include "chart/chart.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <memory>
#include <utility>

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

void CachedChart::set(DisplayList chart)
{
    chart_ = std::move(chart);
    picture = QImage();
}

const QImage& CachedChart::at(const QSize& size)
{
    if (picture.size() != size)
        picture = chartImage(chart_, size);
    return picture;
}

std::optional<QByteArray> chartFile(const DisplayList& chart, const QSize& size, ChartFormat format)
{
    const QRect area(QPoint(0, 0), size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == ChartFormat::Png) {
        if (!chartImage(chart, size).save(&buffer, "PNG"))
            return std::nullopt;
        return bytes;
    }
    QSvgGenerator svg;
    std::unique_ptr<QPdfWriter> pdf;
    QPaintDevice* device = &svg;
    if (format == ChartFormat::Svg) {
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setResolution(96);
    } else {
        // One page the size of the window, at the window's 96 dots per inch.
        pdf = std::make_unique<QPdfWriter>(&buffer);
        pdf->setResolution(96);
        pdf->setPageSize(QPageSize(QSizeF(size.width() * 0.75, size.height() * 0.75), QPageSize::Point,
                                   QString(), QPageSize::ExactMatch));
        pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
        device = pdf.get();
    }
    QPainter painter;
    if (!painter.begin(device))
        return std::nullopt;
    paintChart(painter, area, chart);
    if (!painter.end())
        return std::nullopt;
    return bytes;
}

} // namespace fh
