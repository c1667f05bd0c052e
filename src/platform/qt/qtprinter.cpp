#include "platform/qt/qtprinter.h"

#include "platform/displaylist.h"
#include "platform/qt/paintercanvas.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace fh {

namespace {

// The PDF writer reports no failed write (a full disk, a device): a document is
// whole when it is a file that ends as every PDF ends.
bool wholePdf(const QString& name)
{
    QFile file(name);
    if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    if (!file.seek(std::max<qint64>(0, file.size() - 32)))
        return false;
    return file.readAll().trimmed().endsWith("%%EOF");
}

// A printer that owns its QPrinter, so both go before the application does.
struct OwnedQPrinter {
    QPrinter printer{QPrinter::HighResolution};
};

class QueuePrinter : private OwnedQPrinter, public QtPrinter {
public:
    explicit QueuePrinter(const QString& name) : QtPrinter(OwnedQPrinter::printer)
    {
        OwnedQPrinter::printer.setPrinterName(name);
    }
};

} // namespace

QtPrinter::QtPrinter(QPrinter& printer) : printer(printer), chosenOrientation(printer.pageLayout().orientation()) {}

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
    if (!painter.begin(&printer)) {
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
    printer.newPage();
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
    const QString file = printer.outputFileName();
    if (begin() && painter.end() && (file.isEmpty() || wholePdf(file)))
        return std::nullopt;
    if (!file.isEmpty())
        return "cannot write " + QFile::encodeName(file).toStdString();
    return "the printer " + printer.printerName().toStdString() + " cannot be used";
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
    return std::make_unique<QueuePrinter>(QString::fromStdString(name));
}

QtPrinterDialog::QtPrinterDialog() = default;

QtPrinterDialog::~QtPrinterDialog() = default;

Printer* QtPrinterDialog::choose()
{
    current.reset();
    if (!printer)
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Over the window whose Print was chosen, so that no other window jumps in front.
    QWidget* owner = QApplication::activeWindow();
    QPrintDialog dialog(printer.get(), owner ? owner : parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    current = std::make_unique<QtPrinter>(*printer);
    return current.get();
}

} // namespace fh
