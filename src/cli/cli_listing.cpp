#include "cli/commands.h"
#include "cli/drawing.h"
#include "files/listing.h"

namespace fh::cli {

int listing(const Parsed& args, Streams io, const Devices& devices)
{
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;
    Drawing* const drawing = devices.drawing(io.err);
    if (!drawing)
        return 2;
    const std::string jobName = printJobName(args.operands.front(), "listing");
    const std::string& path = args.operands.front();
    if (args.values.contains("--printer")) {
        const auto printer = openPrinter(args, io.err, devices);
        if (!printer)
            return 2;
        printer->setFooter(pageFooter(args, path, devices));
        return printed(*printer, printListing(read->lists, *printer, jobName), args, io.err, devices);
    }
    const auto printer = drawing->pdfFile(devices.files, args.values.at("-o"));
    printer->setFooter(pageFooter(args, path, devices));
    return printed(*printer, printListing(read->lists, *printer, jobName), args, io.err, devices);
}

} // namespace fh::cli
