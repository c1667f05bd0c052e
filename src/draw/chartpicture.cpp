#include "draw/chartpicture.h"

#include "chart/chart.h"
#include "platform/displaylist.h"
#include "platform/printer.h"
#include "platform/qt/paintercanvas.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <memory>
#include <utility>

namespace fh {

namespace {
// The margin under a chart's PDF, in pixels, and the size of its footer's type.
constexpr int footerMargin = 16;
constexpr double footerPoints = 7;
} // namespace

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

std::optional<QByteArray> chartFile(const DisplayList& chart, const QSize& size, ChartFormat format,
                                    const std::string& footer)
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
        // One page the size of the window, at the window's 96 dots per inch, and the
        // footer's margin below.
        const int margin = footer.empty() ? 0 : footerMargin;
        pdf = std::make_unique<QPdfWriter>(&buffer);
        pdf->setResolution(96);
        pdf->setPageSize(QPageSize(QSizeF(size.width() * 0.75, (size.height() + margin) * 0.75), QPageSize::Point,
                                   QString(), QPageSize::ExactMatch));
        pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
        device = pdf.get();
    }
    QPainter painter;
    if (!painter.begin(device))
        return std::nullopt;
    paintChart(painter, area, chart);
    if (format == ChartFormat::Pdf && !footer.empty()) {
        QFont small = painter.font();
        small.setPointSizeF(footerPoints);
        painter.setFont(small);
        painter.setPen(Qt::black);
        const std::string line = footerLine(footer, 1, 1);
        painter.drawText(QRectF(4, size.height(), size.width() - 8, footerMargin), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    }
    if (!painter.end())
        return std::nullopt;
    return bytes;
}

} // namespace fh
