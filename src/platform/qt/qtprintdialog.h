#pragma once

// The printer dialog over one printer whose settings last between prints. Without an
// installed printer it offers printing to a PDF file. The document is then printed
// as a PDF with the chosen paper, to the chosen file or queue.

#include "platform/printer.h"

#include <memory>

class QPrinter;
class QWidget;

namespace fh {

class TextFiles;

class QtPrinterDialog : public PrinterDialog {
public:
    explicit QtPrinterDialog(TextFiles& files);
    ~QtPrinterDialog() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    Printer* choose(const std::string& fileName) override;

private:
    TextFiles& files;
    // Made at the first choice: making it loads the print system, which start-up does
    // not need.
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<Printer> current;
    QWidget* parent_ = nullptr;
};

} // namespace fh
