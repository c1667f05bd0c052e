#include "cli/commands.h"
#include "cli/headless.h"
#include "chart/chart.h"
#include "gui/chartpicture.h"
#include "compiler/program.h"
#include "platform/displaylist.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <charconv>
#include <memory>
#include <ostream>

namespace fh::cli {

namespace {

enum class Format { Png, Svg, Pdf };

std::optional<Format> formatOf(const std::string& path)
{
    const QString name = QString::fromLocal8Bit(path).toLower();
    if (name.endsWith(QLatin1String(".png")))
        return Format::Png;
    if (name.endsWith(QLatin1String(".svg")))
        return Format::Svg;
    if (name.endsWith(QLatin1String(".pdf")))
        return Format::Pdf;
    return std::nullopt;
}

// The chart as the chart window shows it at `size`, as the bytes of a file; no
// value when it could not be painted.
std::optional<QByteArray> drawChart(const DisplayList& chart, const QSize& size, Format format)
{
    const QRect area(QPoint(0, 0), size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == Format::Png) {
        if (!chartImage(chart, size).save(&buffer, "PNG"))
            return std::nullopt;
        return bytes;
    }
    QSvgGenerator svg;
    std::unique_ptr<QPdfWriter> pdf;
    QPaintDevice* device = &svg;
    if (format == Format::Svg) {
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

} // namespace

std::optional<Size> parseSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    int w = 0, h = 0;
    const char* end = text.data() + text.size();
    const auto [wEnd, wErr] = std::from_chars(text.data(), text.data() + x, w);
    const auto [hEnd, hErr] = std::from_chars(text.data() + x + 1, end, h);
    if (wErr != std::errc() || hErr != std::errc() || wEnd != text.data() + x || hEnd != end)
        return std::nullopt;
    if (w < 1 || h < 1 || w > largestSide || h > largestSide)
        return std::nullopt;
    return Size{w, h};
}

int chart(const Parsed& args, Streams io, const Devices& devices)
{
    const bool toPrinter = args.values.contains("--printer");
    const std::string out = toPrinter ? std::string() : args.values.at("-o");
    QSize size(1680, 1008);
    if (const auto wanted = args.values.find("--size"); wanted != args.values.end()) {
        const Size chosen = parseSize(wanted->second).value();
        size = QSize(chosen.width, chosen.height);
    }
    const auto format = formatOf(out);
    if (!toPrinter && !format) {
        io.err << "fernhollow: " << out << ": the chart is written as .png, .svg or .pdf\n";
        return 2;
    }
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    StreamMessages messages(io.err);
    Program program;
    ChartState state;
    state.totals = !args.values.contains("--no-totals");
    DisplayList drawing;
    if (!plot(read->lists, program, state, drawing, messages, FixedClock(0)))
        return 2;

    const HeadlessGui gui;
    if (toPrinter) {
        // As the chart window prints it at that size.
        const auto printer = openPrinter(args, io.err, devices);
        return printer ? printed(printChart(drawing, size.width(), size.height(), *printer, printJobName(args.operands.front(), "chart")), io.err) : 2;
    }
    const auto bytes = drawChart(drawing, size, *format);
    if (!bytes) {
        io.err << "fernhollow: cannot write " << out << ": cannot paint the chart\n";
        return 2;
    }
    // Written as a program file is: whole, or not at all.
    return writeOutput(devices.files, out, bytes->toStdString(), io.err);
}

} // namespace fh::cli
