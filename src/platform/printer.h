#pragma once

// The default printer, as chosen in the printer dialog: text lines for the program
// listing, and a page area that a canvas can draw on for the chart.

#include <optional>
#include <string>

namespace fh {

class Canvas;

struct PageRect {
    double left = 0, top = 0, width = 0, height = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFontSize(double points) = 0;
    virtual void printLine(const std::string& text) = 0;
    virtual void newPage() = 0;
    // Page orientation of this document; call before anything is printed.
    virtual void setLandscape(bool landscape) = 0;
    // Printable area of the page, in printer device units.
    virtual PageRect pageArea() const = 0;
    // A canvas covering `target` of the current page.
    virtual Canvas& canvas(const PageRect& target) = 0;
    // Sends the document; returns the reason of a failure, or no value.
    virtual std::optional<std::string> endDoc() = 0;
};

// Shows the printer dialog; no printer when the user cancels.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    virtual Printer* choose() = 0;
};

} // namespace fh
