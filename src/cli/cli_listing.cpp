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
    if (args.values.contains("--printer")) {
        const auto printer = openPrinter(args, io.err, devices);
        return printer ? printed(printListing(read->lists, *printer, jobName), io.err) : 2;
    }
    const auto printer = drawing->pdfFile(devices.files, args.values.at("-o"));
    return printed(printListing(read->lists, *printer, jobName), io.err);
}

} // namespace fh::cli
