#include "platform/qt/qtprintdialog.h"

#include "platform/qt/pdfprinter.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace fh {

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
    const PrintTarget target{QFile::encodeName(printer->outputFileName()).toStdString(),
                             printer->printerName().toStdString(), printer->copyCount()};
    current = std::make_unique<PdfPrinter>(files, target, printer->pageLayout(), printer->resolution());
    return current.get();
}

} // namespace fh
