#include "platform/qt/pdfprinter.h"

#include "platform/devices.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPdfWriter>

#include <cups/cups.h>

#include <algorithm>
#include <optional>
#include <type_traits>

namespace fh {

namespace {

// The system's typeface, not the program's default font, which the windows make their
// own: a listing prints alike from the windows and the command line. What the font
// does not set, the painter takes from the default font; these two it sets otherwise.
QFont systemTypeface()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleStrategy(QFont::PreferDefault);
    font.setHintingPreference(QFont::PreferDefaultHinting);
    return font;
}

// libcups, and what it brings (TLS, Kerberos, Avahi: some twenty libraries), loads
// when something is printed or a printer is named, not at every start.
struct Cups {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&cupsGetDestMediaDefault) getDestMediaDefault = nullptr;
    decltype(&cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsGetDests2) getDests2 = nullptr;
    decltype(&cupsAddOption) addOption = nullptr;
    decltype(&cupsFreeOptions) freeOptions = nullptr;
    decltype(&cupsCreateJob) createJob = nullptr;
    decltype(&cupsStartDocument) startDocument = nullptr;
    decltype(&cupsWriteRequestData) writeRequestData = nullptr;
    decltype(&cupsFinishDocument) finishDocument = nullptr;
    decltype(&cupsCancelJob2) cancelJob2 = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
};

constexpr const char* cupsMissing = "the print system's library, libcups 2, cannot be loaded";

// None when the library or one of its functions is missing.
const Cups* cups()
{
    static const std::optional<Cups> api = []() -> std::optional<Cups> {
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return std::nullopt;
        Cups c;
        bool found = true;
        const auto resolve = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            found = found && function;
        };
        resolve(c.getNamedDest, "cupsGetNamedDest");
        resolve(c.copyDestInfo, "cupsCopyDestInfo");
        resolve(c.getDestMediaDefault, "cupsGetDestMediaDefault");
        resolve(c.freeDestInfo, "cupsFreeDestInfo");
        resolve(c.freeDests, "cupsFreeDests");
        resolve(c.getDests2, "cupsGetDests2");
        resolve(c.addOption, "cupsAddOption");
        resolve(c.freeOptions, "cupsFreeOptions");
        resolve(c.createJob, "cupsCreateJob");
        resolve(c.startDocument, "cupsStartDocument");
        resolve(c.writeRequestData, "cupsWriteRequestData");
        resolve(c.finishDocument, "cupsFinishDocument");
        resolve(c.cancelJob2, "cupsCancelJob2");
        resolve(c.lastErrorString, "cupsLastErrorString");
        return found ? std::optional(c) : std::nullopt;
    }();
    return api ? &*api : nullptr;
}

// The paper a queue takes by default, with the margins a PDF has by default.
QPageLayout queueLayout(const std::string& name)
{
    QPageLayout layout = defaultPageLayout();
    const Cups* api = cups();
    cups_dest_t* dest = api ? api->getNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr) : nullptr;
    if (!dest)
        return layout;
    if (cups_dinfo_t* info = api->copyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        cups_size_t size{};
        // cups_size_t measures in hundredths of a millimetre.
        if (api->getDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 && size.length > 0)
            layout.setPageSize(QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                                         QString(), QPageSize::FuzzyMatch));
        api->freeDestInfo(info);
    }
    api->freeDests(1, dest);
    return layout;
}

} // namespace

QPageLayout defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
}

PdfPrinter::PdfPrinter(TextFiles& files, PrintTarget target, const QPageLayout& layout, int resolution)
    : files(files), target(std::move(target)), layout(layout), resolution(resolution), font(systemTypeface())
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
    // line would only cost time. A character takes at most 4 bytes, so one cut short
    // falls past the thousandth.
    const auto bytes = static_cast<qsizetype>(std::min<std::size_t>(text.size(), 4000));
    painter.drawText(QPointF(0, y + metrics.ascent()), QString::fromUtf8(text.data(), bytes).left(1000));
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
    const Cups* api = cups();
    if (!api)
        return "the printer " + target.queue + " did not take the job: " + cupsMissing;
    const char* queue = target.queue.c_str();
    const QByteArray name = title.toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount =
        api->addOption("copies", std::to_string(std::max(1, target.copies)).c_str(), 0, &options);
    const int job = api->createJob(CUPS_HTTP_DEFAULT, queue, name.constData(), optionCount, options);
    api->freeOptions(optionCount, options);
    if (job <= 0)
        return "the printer " + target.queue + " did not take the job: " + api->lastErrorString();
    const bool sent =
        api->startDocument(CUPS_HTTP_DEFAULT, queue, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
            HTTP_STATUS_CONTINUE &&
        api->writeRequestData(CUPS_HTTP_DEFAULT, document.constData(), static_cast<std::size_t>(document.size())) ==
            HTTP_STATUS_CONTINUE;
    // A started document is finished even after a failed write, so that no job stays open.
    const bool finished = api->finishDocument(CUPS_HTTP_DEFAULT, queue) == IPP_STATUS_OK;
    if (sent && finished)
        return std::nullopt;
    const std::string reason = api->lastErrorString();
    api->cancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
    return "the printer " + target.queue + " did not take the job: " + reason;
}

std::vector<std::string> CupsPrintService::printerNames()
{
    const Cups* api = cups();
    if (!api)
        return {};
    cups_dest_t* dests = nullptr;
    const int count = api->getDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        if (!dests[i].instance)
            names.emplace_back(dests[i].name);
    api->freeDests(count, dests);
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
