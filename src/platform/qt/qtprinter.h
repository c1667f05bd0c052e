#pragma once

// The printer chosen in the printer dialog, or a PDF file: text lines in the
// printer's default typeface from the top-left of the printable area, each line one
// line spacing of the font below the last.

#include "platform/printer.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QPainter>

#include <memory>

class QPdfWriter;
class QPrinter;
class QWidget;

namespace fh {

class TextFiles;

// The document is drawn as a PDF in memory with the printer's page and resolution,
// then written whole to the printer's output file through `files`, or handed to its
// print queue; either way a failure is reported, never a part of a document.
class QtPrinter : public Printer {
public:
    QtPrinter(QPrinter& printer, TextFiles& files);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    void setFontSize(double points) override;
    void printLine(const std::string& text) override;
    void newPage() override;
    // Lasts for this document only; the printer keeps the user's orientation.
    void setLandscape(bool landscape) override;
    void setJobName(const std::string& jobName) override;
    // The printable area, with its top-left corner at (0, 0).
    PageRect pageArea() const override;
    void paint(const DisplayList& picture, double width, double height, const PageRect& target) override;
    std::optional<std::string> endDoc() override;

private:
    bool begin();
    std::optional<std::string> submit();

    QPrinter& printer;
    TextFiles& files;
    QPageLayout::Orientation chosenOrientation;
    QByteArray document;
    QBuffer buffer{&document};
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    QFont font;
    bool failed = false;
    double y = 0;
};

// The printers of CUPS, for printing from the command line.
class QtPrintService : public PrintService {
public:
    explicit QtPrintService(TextFiles& files) : files(files) {}
    std::vector<std::string> printerNames() override;
    std::unique_ptr<Printer> open(const std::string& name) override;

private:
    TextFiles& files;
};

// The printer dialog over one printer whose settings last between prints. Without
// an installed printer it offers printing to a PDF file. The printer is made at the
// first choice: making it loads the print system, which start-up does not need.
class QtPrinterDialog : public PrinterDialog {
public:
    explicit QtPrinterDialog(TextFiles& files);
    ~QtPrinterDialog() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    Printer* choose(const std::string& fileName) override;

private:
    TextFiles& files;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QtPrinter> current;
    QWidget* parent_ = nullptr;
};

} // namespace fh
