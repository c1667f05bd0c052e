#include "platform/qt/pdfprinter.h"

#include "platform/devices.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPainter>
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
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsServer) server = nullptr;
    decltype(&cupsUser) user = nullptr;
    decltype(&cupsDoRequest) doRequest = nullptr;
    decltype(&ippNewRequest) newRequest = nullptr;
    decltype(&ippAddString) addString = nullptr;
    decltype(&ippAddInteger) addInteger = nullptr;
    decltype(&ippAddStrings) addStrings = nullptr;
    decltype(&ippFindAttribute) findAttribute = nullptr;
    decltype(&ippGetCount) getCount = nullptr;
    decltype(&ippGetInteger) getInteger = nullptr;
    decltype(&ippGetString) getString = nullptr;
    decltype(&ippDelete) deleteIpp = nullptr;
    decltype(&httpAssembleURIf) assembleUri = nullptr;
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
        resolve(c.lastError, "cupsLastError");
        resolve(c.server, "cupsServer");
        resolve(c.user, "cupsUser");
        resolve(c.doRequest, "cupsDoRequest");
        resolve(c.newRequest, "ippNewRequest");
        resolve(c.addString, "ippAddString");
        resolve(c.addInteger, "ippAddInteger");
        resolve(c.addStrings, "ippAddStrings");
        resolve(c.findAttribute, "ippFindAttribute");
        resolve(c.getCount, "ippGetCount");
        resolve(c.getInteger, "ippGetInteger");
        resolve(c.getString, "ippGetString");
        resolve(c.deleteIpp, "ippDelete");
        resolve(c.assembleUri, "httpAssembleURIf");
        return found ? std::optional(c) : std::nullopt;
    }();
    return api ? &*api : nullptr;
}

constexpr double footerFontSize = 7;

// Whether the last call failed because the print service did not answer, and why.
std::optional<std::string> serviceDown(const Cups& api)
{
    if (api.lastError() != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return std::nullopt;
    return std::string("no answer at ") + api.server() + ": " + api.lastErrorString();
}

// The text of an attribute's values, joined by ", "; empty when it has none.
std::string attributeText(const Cups& api, ipp_t* response, const char* name)
{
    ipp_attribute_t* attribute = api.findAttribute(response, name, IPP_TAG_ZERO);
    std::string text;
    for (int i = 0; attribute && i < api.getCount(attribute); ++i)
        if (const char* value = api.getString(attribute, i, nullptr); value && *value)
            text += (text.empty() ? "" : ", ") + std::string(value);
    return text;
}

// The attributes `names` of the queue `queue`, or of its job `id`; none when the
// service did not answer, `down` then saying why.
ipp_t* ask(const Cups& api, ipp_op_t operation, const std::string& queue, int id,
           const std::vector<const char*>& names, std::optional<std::string>& down)
{
    char uri[1024];
    api.assembleUri(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                    queue.c_str());
    ipp_t* request = api.newRequest(operation);
    api.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    if (id > 0)
        api.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
    api.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, api.user());
    api.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                   static_cast<int>(names.size()), nullptr, names.data());
    ipp_t* response = api.doRequest(CUPS_HTTP_DEFAULT, request, "/");
    down = serviceDown(api);
    if (response && api.lastError() > IPP_STATUS_OK_CONFLICTING) {
        api.deleteIpp(response);
        return nullptr;
    }
    return response;
}

// Where the job `id` on `queue` stands: its own state, and for a job that waits, its
// queue's.
JobStatus jobStatus(const std::string& queue, int id)
{
    const Cups* api = cups();
    if (!api)
        return {JobStatus::State::ServiceDown, cupsMissing};
    std::optional<std::string> down;
    ipp_t* job = ask(*api, IPP_OP_GET_JOB_ATTRIBUTES, queue, id,
                     {"job-state", "job-state-message", "job-printer-state-message", "job-state-reasons"}, down);
    if (down)
        return {JobStatus::State::ServiceDown, *down};
    if (!job)
        return {JobStatus::State::Failed, std::string("the print service has lost it: ") + api->lastErrorString()};
    const auto state = static_cast<ipp_jstate_t>(
        api->getInteger(api->findAttribute(job, "job-state", IPP_TAG_ENUM), 0));
    std::string reason = attributeText(*api, job, "job-state-message");
    if (reason.empty() && state == IPP_JSTATE_ABORTED)
        reason = attributeText(*api, job, "job-printer-state-message");
    if (reason.empty())
        reason = attributeText(*api, job, "job-state-reasons");
    api->deleteIpp(job);
    switch (state) {
    case IPP_JSTATE_COMPLETED:
        return {JobStatus::State::Printed, {}};
    case IPP_JSTATE_ABORTED:
    case IPP_JSTATE_CANCELED:
        return {JobStatus::State::Failed, reason};
    case IPP_JSTATE_STOPPED:
        return {JobStatus::State::QueueStopped, reason};
    default:
        break;
    }
    ipp_t* printer = ask(*api, IPP_OP_GET_PRINTER_ATTRIBUTES, queue, 0,
                         {"printer-state", "printer-state-message", "printer-state-reasons"}, down);
    if (down)
        return {JobStatus::State::ServiceDown, *down};
    JobStatus status{JobStatus::State::Waiting, {}};
    if (printer && api->getInteger(api->findAttribute(printer, "printer-state", IPP_TAG_ENUM), 0) == IPP_PSTATE_STOPPED) {
        status.state = JobStatus::State::QueueStopped;
        status.reason = attributeText(*api, printer, "printer-state-message");
        if (status.reason.empty())
            status.reason = attributeText(*api, printer, "printer-state-reasons");
    }
    if (printer)
        api->deleteIpp(printer);
    return status;
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

PdfPrinter::~PdfPrinter() = default;

void PdfPrinter::setLandscape(bool landscape)
{
    if (steps.empty())
        layout.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PdfPrinter::setJobName(const std::string& jobName)
{
    if (steps.empty())
        title = QString::fromStdString(jobName);
}

void PdfPrinter::setFooter(const std::string& lead)
{
    footer = lead;
}

void PdfPrinter::setFontSize(double points)
{
    steps.push_back({Step::Kind::FontSize, points, {}, {}, 0, 0, {}});
}

void PdfPrinter::printLine(const std::string& text)
{
    // No page is wider than a few hundred characters; laying out the rest of a huge
    // line would only cost time. A character takes at most 4 bytes, so one cut short
    // falls past the thousandth.
    steps.push_back({Step::Kind::Line, 0, text.substr(0, 4000), {}, 0, 0, {}});
}

void PdfPrinter::newPage()
{
    steps.push_back({Step::Kind::Break, 0, {}, {}, 0, 0, {}});
}

PageRect PdfPrinter::pageArea() const
{
    const QRect area = layout.paintRectPixels(resolution);
    return {0, 0, static_cast<double>(area.width()), static_cast<double>(area.height())};
}

void PdfPrinter::paint(const DisplayList& picture, double width, double height, const PageRect& area)
{
    if (width > 0 && height > 0)
        steps.push_back({Step::Kind::Picture, 0, {}, picture, width, height, area});
}

int PdfPrinter::play(QPdfWriter& pdf, QPainter* painter, int pages) const
{
    QFont current = font;
    if (painter)
        painter->setFont(current);
    const double bottom = pageArea().height;
    int page = 1;
    double y = 0;
    const auto nextPage = [&] {
        if (painter) {
            drawFooter(*painter, page, pages);
            pdf.newPage();
        }
        ++page;
        y = 0;
    };
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Kind::FontSize:
            current.setPointSizeF(step.points);
            if (painter)
                painter->setFont(current);
            break;
        case Step::Kind::Line: {
            const QFontMetricsF metrics(current, &pdf);
            // A line that would run off the paper goes to a new page, as on a printer.
            if (y > 0 && y + metrics.lineSpacing() > bottom)
                nextPage();
            if (painter) {
                const QString line = QString::fromUtf8(step.text.data(), static_cast<qsizetype>(step.text.size()));
                painter->drawText(QPointF(0, y + metrics.ascent()), line.left(1000));
            }
            y += metrics.lineSpacing();
            break;
        }
        case Step::Kind::Break:
            nextPage();
            break;
        case Step::Kind::Picture:
            if (painter) {
                painter->save();
                painter->translate(step.target.left, step.target.top);
                painter->scale(step.target.width / step.width, step.target.height / step.height);
                PainterCanvas canvas(*painter, QRectF(0, 0, step.width, step.height), current.pointSizeF());
                step.picture.replay(canvas);
                painter->restore();
            }
            break;
        }
    }
    if (painter)
        drawFooter(*painter, page, pages);
    return page;
}

// In small type, in the middle of the bottom margin, below the place of the last line.
void PdfPrinter::drawFooter(QPainter& painter, int page, int pages) const
{
    if (footer.empty())
        return;
    const std::string line = footerLine(footer, page, pages);
    QFont small = font;
    small.setPointSizeF(footerFontSize);
    painter.save();
    painter.setFont(small);
    const QFontMetricsF metrics(small, painter.device());
    const double margin = layout.fullRectPixels(resolution).height() - layout.paintRectPixels(resolution).bottom();
    const double baseline = pageArea().height + (margin - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPointF(0, baseline), QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    painter.restore();
}

std::optional<std::string> PdfPrinter::endDoc()
{
    QByteArray document;
    {
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(resolution);
        pdf.setPageLayout(layout);
        pdf.setTitle(title);
        const int pages = play(pdf, nullptr, 0);
        QPainter painter;
        if (!painter.begin(&pdf))
            return "cannot draw the document";
        play(pdf, &painter, pages);
        if (!painter.end())
            return "cannot draw the document";
    }
    if (target.file.empty())
        return submit(document);
    if (const auto error = files.write(target.file, document.toStdString()))
        return "cannot write " + target.file + ": " + *error;
    return std::nullopt;
}

std::optional<PrintJob> PdfPrinter::job() const { return sent_; }

// Each step checked: a queue that refuses the job must not look like a printed one.
std::optional<std::string> PdfPrinter::submit(const QByteArray& document)
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
    if (job <= 0) {
        if (const auto down = serviceDown(*api))
            return serviceDownMessage(*down);
        return "the printer " + target.queue + " did not take the job: " + api->lastErrorString();
    }
    const bool started =
        api->startDocument(CUPS_HTTP_DEFAULT, queue, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
        HTTP_STATUS_CONTINUE;
    const bool sent = started && api->writeRequestData(CUPS_HTTP_DEFAULT, document.constData(),
                                                       static_cast<std::size_t>(document.size())) ==
                                     HTTP_STATUS_CONTINUE;
    // A started document is finished even after a failed write, so that no job stays open.
    const bool finished = api->finishDocument(CUPS_HTTP_DEFAULT, queue) == IPP_STATUS_OK;
    if (sent && finished) {
        sent_ = PrintJob{target.queue, job, [queue = target.queue, job] { return jobStatus(queue, job); }};
        return std::nullopt;
    }
    const std::string reason = api->lastErrorString();
    const auto down = serviceDown(*api);
    api->cancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
    if (down)
        return serviceDownMessage(*down);
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

std::optional<std::string> CupsPrintService::unreachable()
{
    const Cups* api = cups();
    if (!api)
        return cupsMissing;
    cups_dest_t* dests = nullptr;
    const int count = api->getDests2(CUPS_HTTP_DEFAULT, &dests);
    auto down = serviceDown(*api);
    api->freeDests(count, dests);
    return down;
}

} // namespace fh
