#include "platform/qt/pdfprinter.h"

#include "platform/devices.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QFontMetricsF>
#include <QPdfWriter>

#include <cups/cups.h>

#include <algorithm>

namespace fh {

namespace {

// The paper a queue takes by default, with the margins a PDF has by default.
QPageLayout queueLayout(const std::string& name)
{
    QPageLayout layout = defaultPageLayout();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest)
        return layout;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        cups_size_t size{};
        // cups_size_t measures in hundredths of a millimetre.
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 && size.length > 0)
            layout.setPageSize(QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                                         QString(), QPageSize::FuzzyMatch));
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return layout;
}

} // namespace

QPageLayout defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
}

PdfPrinter::PdfPrinter(TextFiles& files, PrintTarget target, const QPageLayout& layout, int resolution)
    : files(files), target(std::move(target)), layout(layout), resolution(resolution)
{
}

PdfPrinter::~PdfPrinter()
{
    if (painter.isActive())
        painter.end();
}

void PdfPrinter::setLandscape(bool landscape)
{
    if (!painter.isActive())
        layout.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PdfPrinter::setJobName(const std::string& jobName)
{
    if (!painter.isActive())
        title = QString::fromStdString(jobName);
}

// The painter starts with the first thing printed, so that the page and the title
// can be set until then.
bool PdfPrinter::begin()
{
    if (painter.isActive() || failed)
        return !failed;
    buffer.open(QIODevice::WriteOnly);
    pdf = std::make_unique<QPdfWriter>(&buffer);
    pdf->setResolution(resolution);
    pdf->setPageLayout(layout);
    pdf->setTitle(title);
    if (!painter.begin(pdf.get())) {
        failed = true;
        return false;
    }
    painter.setFont(font);
    y = 0;
    return true;
}

void PdfPrinter::setFontSize(double points)
{
    font.setPointSizeF(points);
    if (painter.isActive())
        painter.setFont(font);
}

void PdfPrinter::printLine(const std::string& text)
{
    if (!begin())
        return;
    const QFontMetricsF metrics(painter.font(), painter.device());
    // A line that would run off the paper goes to a new page, as on a printer.
    if (y > 0 && y + metrics.lineSpacing() > pageArea().height)
        newPage();
    // No page is wider than a few hundred characters; laying out the rest of a huge
    // line would only cost time.
    const auto shown = static_cast<qsizetype>(std::min<std::size_t>(text.size(), 1000));
    painter.drawText(QPointF(0, y + metrics.ascent()), QString::fromLatin1(text.data(), shown));
    y += metrics.lineSpacing();
}

void PdfPrinter::newPage()
{
    if (!begin())
        return;
    pdf->newPage();
    y = 0;
}

PageRect PdfPrinter::pageArea() const
{
    const QRect area = layout.paintRectPixels(resolution);
    return {0, 0, static_cast<double>(area.width()), static_cast<double>(area.height())};
}

void PdfPrinter::paint(const DisplayList& picture, double width, double height, const PageRect& area)
{
    if (!begin() || !(width > 0) || !(height > 0))
        return;
    painter.save();
    painter.translate(area.left, area.top);
    painter.scale(area.width / width, area.height / height);
    PainterCanvas canvas(painter, QRectF(0, 0, width, height), font.pointSizeF());
    picture.replay(canvas);
    painter.restore();
}

std::optional<std::string> PdfPrinter::endDoc()
{
    if (!begin() || !painter.end())
        return "cannot draw the document";
    if (target.file.empty())
        return submit();
    if (const auto error = files.write(target.file, document.toStdString()))
        return "cannot write " + target.file + ": " + *error;
    return std::nullopt;
}

// Each step checked: a queue that refuses the job must not look like a printed one.
std::optional<std::string> PdfPrinter::submit()
{
    const char* queue = target.queue.c_str();
    const QByteArray name = title.toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount =
        cupsAddOption("copies", std::to_string(std::max(1, target.copies)).c_str(), 0, &options);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue, name.constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job <= 0)
        return "the printer " + target.queue + " did not take the job: " + cupsLastErrorString();
    const bool sent =
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
            HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, document.constData(), static_cast<std::size_t>(document.size())) ==
            HTTP_STATUS_CONTINUE;
    // A started document is finished even after a failed write, so that no job stays open.
    const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue) == IPP_STATUS_OK;
    if (sent && finished)
        return std::nullopt;
    const std::string reason = cupsLastErrorString();
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
    return "the printer " + target.queue + " did not take the job: " + reason;
}

std::vector<std::string> CupsPrintService::printerNames()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        if (!dests[i].instance)
            names.emplace_back(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}

std::unique_ptr<Printer> CupsPrintService::open(const std::string& name)
{
    const auto names = printerNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        return nullptr;
    return std::make_unique<PdfPrinter>(files, PrintTarget{{}, name, 1}, queueLayout(name), 1200);
}

} // namespace fh
