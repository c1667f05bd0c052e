#include "platform/qt/qtprinter.h"

#include "platform/devices.h"
#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrinter>
#include <QPdfWriter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace fh {

namespace {

// A printer that owns its QPrinter, so both go before the application does.
struct OwnedQPrinter {
    QPrinter printer{QPrinter::HighResolution};
};

class QueuePrinter : private OwnedQPrinter, public QtPrinter {
public:
    QueuePrinter(const QString& name, TextFiles& files) : QtPrinter(OwnedQPrinter::printer, files)
    {
        OwnedQPrinter::printer.setPrinterName(name);
    }
};

} // namespace

QtPrinter::QtPrinter(QPrinter& printer, TextFiles& files)
    : printer(printer), files(files), chosenOrientation(printer.pageLayout().orientation())
{
}

QtPrinter::~QtPrinter()
{
    if (painter.isActive())
        painter.end();
    printer.setPageOrientation(chosenOrientation);
}

void QtPrinter::setLandscape(bool landscape)
{
    if (!painter.isActive())
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinter::setJobName(const std::string& jobName)
{
    if (!painter.isActive())
        printer.setDocName(QString::fromStdString(jobName));
}

// The painter starts with the first thing printed, so choosing a printer and
// printing nothing leaves no empty document behind.
bool QtPrinter::begin()
{
    if (painter.isActive() || failed)
        return !failed;
    buffer.open(QIODevice::WriteOnly);
    pdf = std::make_unique<QPdfWriter>(&buffer);
    pdf->setResolution(printer.resolution());
    pdf->setPageLayout(printer.pageLayout());
    pdf->setTitle(printer.docName());
    pdf->setCreator(printer.creator());
    if (!painter.begin(pdf.get())) {
        failed = true;
        return false;
    }
    painter.setFont(font);
    y = 0;
    return true;
}

void QtPrinter::setFontSize(double points)
{
    font.setPointSizeF(points);
    if (painter.isActive())
        painter.setFont(font);
}

void QtPrinter::printLine(const std::string& text)
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

void QtPrinter::newPage()
{
    if (!begin())
        return;
    pdf->newPage();
    y = 0;
}

PageRect QtPrinter::pageArea() const
{
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    return {0, 0, area.width(), area.height()};
}

void QtPrinter::paint(const DisplayList& picture, double width, double height, const PageRect& target)
{
    if (!begin() || !(width > 0) || !(height > 0))
        return;
    painter.save();
    painter.translate(target.left, target.top);
    painter.scale(target.width / width, target.height / height);
    PainterCanvas canvas(painter, QRectF(0, 0, width, height), font.pointSizeF());
    picture.replay(canvas);
    painter.restore();
}

std::optional<std::string> QtPrinter::endDoc()
{
    if (!begin() || !painter.end())
        return "cannot draw the document";
    const QString file = printer.outputFileName();
    if (file.isEmpty())
        return submit();
    const std::string name = QFile::encodeName(file).toStdString();
    if (const auto error = files.write(name, document.toStdString()))
        return "cannot write " + name + ": " + *error;
    return std::nullopt;
}

// Qt's own submission to CUPS does not say when a queue refuses a job, so the PDF
// goes to the queue here, each step checked.
std::optional<std::string> QtPrinter::submit()
{
    const QByteArray queue = printer.printerName().toLocal8Bit();
    const QByteArray title = printer.docName().toUtf8();
    cups_option_t* options = nullptr;
    int optionCount = cupsAddOption("copies", QByteArray::number(printer.copyCount()).constData(), 0, &options);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    const bool sent =
        job > 0 &&
        cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, title.constData(), CUPS_FORMAT_PDF, 1) ==
            HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, document.constData(), static_cast<std::size_t>(document.size())) ==
            HTTP_STATUS_CONTINUE;
    // A started document is finished even after a failed write, so the job is not left open.
    const bool finished = job > 0 && cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) == IPP_STATUS_OK;
    if (sent && finished)
        return std::nullopt;
    if (job > 0)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
    return "the printer " + printer.printerName().toStdString() + " did not take the job: " + cupsLastErrorString();
}

std::vector<std::string> QtPrintService::printerNames()
{
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    return names;
}

std::unique_ptr<Printer> QtPrintService::open(const std::string& name)
{
    // QPrinter does not refuse an unknown name, so it is checked here.
    if (!QPrinterInfo::availablePrinterNames().contains(QString::fromStdString(name)))
        return nullptr;
    return std::make_unique<QueuePrinter>(QString::fromStdString(name), files);
}

QtPrinterDialog::QtPrinterDialog(TextFiles& files) : files(files) {}

QtPrinterDialog::~QtPrinterDialog() = default;

Printer* QtPrinterDialog::choose(const std::string& fileName)
{
    current.reset();
    if (!printer)
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A print to a file offers this document's own file, not the last document's.
    if (printer->outputFormat() == QPrinter::PdfFormat)
        printer->setOutputFileName(QFileInfo(QFile::decodeName(QByteArray::fromStdString(fileName))).absoluteFilePath());
    // Over the window whose Print was chosen, so that no other window jumps in front.
    QWidget* owner = QApplication::activeWindow();
    QPrintDialog dialog(printer.get(), owner ? owner : parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    current = std::make_unique<QtPrinter>(*printer, files);
    return current.get();
}

} // namespace fh
