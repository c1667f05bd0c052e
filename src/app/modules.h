#pragma once

// The two tiers above the commands, each a private module beside the executable,
// loaded only when needed: the drawing of `chart` and `listing` (QtGui, QtSvg) and the
// windows (QtWidgets, QtPrintSupport). The other commands load neither.

#include "cli/drawing.h"
#include "platform/printer.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace fh {
class TextFiles;
} // namespace fh

namespace fh::app {

// Opens the main window from the windows' module and runs the event loop; returns
// the exit status. A module that cannot be loaded is said in one line, status 2.
int openWindows(int argc, char* argv[]);

// The commands' drawing, loaded at its first use and kept until this ends; and the
// print queues through it, so that naming a printer loads it too.
class DrawingModule : public PrintService {
public:
    explicit DrawingModule(TextFiles& files) : files(files) {}
    // The drawing; none when the module cannot be loaded, which is said on `err`.
    cli::Drawing* load(std::ostream& err);

    std::vector<std::string> printerNames() override;
    std::unique_ptr<Printer> open(const std::string& name) override;
    std::optional<std::string> unreachable() override;

private:
    PrintService* queues();

    TextFiles& files;
    std::unique_ptr<cli::Drawing> drawing;
    std::unique_ptr<PrintService> printers;
};

} // namespace fh::app
