#pragma once

// What the commands that draw (`chart`, `listing`) need beyond the core: fonts, pictures
// and PDF documents, on QtGui. The other commands never touch it, so that in the
// installed program they load no QtGui: there it is a module loaded at the first use.

#include "platform/printer.h"

#include <memory>
#include <optional>
#include <string>

namespace fh {
class DisplayList;
class TextFiles;
} // namespace fh

namespace fh::cli {

enum class PictureFormat { Png, Svg, Pdf };

class Drawing {
public:
    virtual ~Drawing() = default;
    // The chart as the chart window shows it at width x height, as the bytes of a file
    // (a PDF of one page that size, with `footer` below unless it is empty); no value
    // when it could not be painted.
    virtual std::optional<std::string> chartFile(const DisplayList& chart, int width, int height,
                                                 PictureFormat format, const std::string& footer) = 0;
    // A document printed to the PDF file `path`, as a print to a file from the printer
    // dialog with the page nobody changed; written through `files` at its end.
    virtual std::unique_ptr<Printer> pdfFile(TextFiles& files, const std::string& path) = 0;
    // The system's print queues, their documents written through `files`.
    virtual std::unique_ptr<PrintService> printService(TextFiles& files) = 0;
};

// The drawing of the commands, in this process: fonts, images and PDF need a GUI
// application but no display, which it makes unless one exists and keeps while it lives.
std::unique_ptr<Drawing> makeDrawing();

} // namespace fh::cli
