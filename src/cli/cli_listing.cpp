#include "cli/commands.h"
#include "cli/headless.h"
#include "files/listing.h"
#include "platform/qt/qtprinter.h"

#include <QFile>
#include <QPrinter>

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
    if (args.values.contains("--printer")) {
        const auto printer = openPrinter(args, io.err, devices);
        return printer ? printed(printListing(read->lists, *printer, jobName), io.err) : 2;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(args.values.at("-o"))));
    QtPrinter printer(pdf, devices.files);
    return printed(printListing(read->lists, printer, jobName), io.err);
}

} // namespace fh::cli
