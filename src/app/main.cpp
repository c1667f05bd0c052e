#include "cli/cli.h"
#include "app/gui.h"
#include "platform/qt/qtfiles.h"
#include "platform/qt/pdfprinter.h"

#include <iostream>

int main(int argc, char* argv[])
{
    const fh::cli::Args args(argv + 1, argv + argc);
    if (fh::cli::opensWindow(args, fh::cli::pathExists))
        return fh::gui::run(argc, argv);
    fh::QtTextFiles files;
    fh::CupsPrintService printers(files);
    return fh::cli::run(args, {std::cin, std::cout, std::cerr}, {files, fh::cli::pathExists, printers});
}
