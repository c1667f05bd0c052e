#pragma once

// The default printer, as chosen in the printer dialog: text lines for the program
// listing, and a page area that a canvas can draw on for the chart.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

class DisplayList;

struct PageRect {
    double left = 0, top = 0, width = 0, height = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFontSize(double points) = 0;
    // A line of text in UTF-8.
    virtual void printLine(const std::string& text) = 0;
    virtual void newPage() = 0;
    // Page orientation of this document; call before anything is printed.
    virtual void setLandscape(bool landscape) = 0;
    // The document's name in the print queue, in UTF-8 as file names are; call
    // before anything is printed.
    virtual void setJobName(const std::string& jobName) = 0;
    // Printable area of the page, in printer device units.
    virtual PageRect pageArea() const = 0;
    // Paints a picture drawn on a surface of width x height pixels, at 96 dots per
    // inch, stretched into `target` of the current page: text keeps its size
    // relative to the lines around it, as on the surface.
    virtual void paint(const DisplayList& picture, double width, double height, const PageRect& target) = 0;
    // Sends the document; returns the reason of a failure, or no value.
    virtual std::optional<std::string> endDoc() = 0;
};

// A print job's name, as in "greenhouse.fhp – listing": the name of `path` without
// its folders, or the application title when there is no file yet, and the document.
// A queue that writes each job to a file names the file after it.
std::string printJobName(std::string_view path, std::string_view document);

// Where a print to a file goes unless the user says otherwise: beside the program,
// "greenhouse.fhp" giving "greenhouse-listing.pdf", so that each document has its own
// file; "listing.pdf" in the working folder when there is no file yet.
std::string printFileName(std::string_view path, std::string_view document);

// The printers of the system's print service, for printing without the dialog.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual std::vector<std::string> printerNames() = 0;
    // The printer `name` for one document; none for a name that is not among
    // printerNames().
    virtual std::unique_ptr<Printer> open(const std::string& name) = 0;
};

// Shows the printer dialog; no printer when the user cancels. A print to a file
// offers `fileName`.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    virtual Printer* choose(const std::string& fileName) = 0;
};

} // namespace fh
