#include "cli/commands.h"
#include "cli/headless.h"
#include "files/listing.h"
#include "platform/qt/pdfprinter.h"


namespace fh::cli {

int listing(const Parsed& args, Streams io, const Devices& devices)
{
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;
    const HeadlessGui gui;
    const std::string jobName = printJobName(args.operands.front(), "listing");
    const std::string& path = args.operands.front();
    if (args.values.contains("--printer")) {
        const auto printer = openPrinter(args, io.err, devices);
        if (!printer)
            return 2;
        printer->setFooter(pageFooter(args, path, devices));
        return printed(*printer, printListing(read->lists, *printer, jobName), args, io.err, devices);
    }
    // As a print to a file from the printer dialog, with the page nobody changed.
    PdfPrinter printer(devices.files, PrintTarget{args.values.at("-o"), {}, 1}, defaultPageLayout(), 1200);
    printer.setFooter(pageFooter(args, path, devices));
    return printed(printer, printListing(read->lists, printer, jobName), args, io.err, devices);
}

} // namespace fh::cli
