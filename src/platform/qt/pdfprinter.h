#pragma once

// A printed document drawn as a PDF in memory: text lines in the default typeface from
// the top-left of the printable area, each line one line spacing of the font below the
// last, and pictures placed on the page. The document is kept until its end, when the
// number of its pages is known for the footers, then drawn, and the PDF is written
// whole to a file through `TextFiles`, or handed to a print queue of CUPS; either way a
// failure is reported, never a part of a document.

#include "platform/displaylist.h"
#include "platform/printer.h"

#include <QFont>
#include <QPageLayout>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QPdfWriter;

namespace fh {

class TextFiles;

// A4 upright with margins of 10 points: a PDF's page unless the user chose another.
QPageLayout defaultPageLayout();

// Where a document goes: a file, else a print queue.
struct PrintTarget {
    std::string file;
    std::string queue;
    int copies = 1;
};

class PdfPrinter : public Printer {
public:
    PdfPrinter(TextFiles& files, PrintTarget target, const QPageLayout& layout, int resolution);
    ~PdfPrinter() override;
    PdfPrinter(const PdfPrinter&) = delete;
    PdfPrinter& operator=(const PdfPrinter&) = delete;

    void setFontSize(double points) override;
    void printLine(const std::string& text) override;
    void newPage() override;
    void setLandscape(bool landscape) override;
    void setJobName(const std::string& jobName) override;
    // The printable area, with its top-left corner at (0, 0).
    PageRect pageArea() const override;
    void paint(const DisplayList& picture, double width, double height, const PageRect& target) override;
    std::optional<std::string> endDoc() override;
    void setFooter(const std::string& lead) override;
    std::optional<PrintJob> job() const override;

private:
    // One call of the document, kept until its end.
    struct Step {
        enum class Kind { FontSize, Line, Break, Picture } kind;
        double points = 0;
        std::string text;
        DisplayList picture;
        double width = 0, height = 0;
        PageRect target;
    };
    // Lays the steps out on `pdf`, painting them with `painter` when there is one, and
    // returns the number of pages.
    int play(QPdfWriter& pdf, QPainter* painter, int pages) const;
    void drawFooter(QPainter& painter, int page, int pages) const;
    std::optional<std::string> submit(const QByteArray& document);

    TextFiles& files;
    const PrintTarget target;
    QPageLayout layout;
    const int resolution;
    QString title;
    std::string footer;
    const QFont font;
    std::vector<Step> steps;
    std::optional<PrintJob> sent_;
};

// The print queues of CUPS, for printing without the dialog, on the queue's default
// paper with the margins a PDF has by default.
class CupsPrintService : public PrintService {
public:
    explicit CupsPrintService(TextFiles& files) : files(files) {}
    std::vector<std::string> printerNames() override;
    std::unique_ptr<Printer> open(const std::string& name) override;
    std::optional<std::string> unreachable() override;

private:
    TextFiles& files;
};

} // namespace fh
