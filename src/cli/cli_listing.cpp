#include "cli/commands.h"
#include "cli/headless.h"
#include "files/listing.h"
#include "platform/qt/qtprinter.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <ostream>

namespace fh::cli {

int listing(const Parsed& args, Streams io, const Devices& devices)
{
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;
    if (args.values.contains("--printer")) {
        const HeadlessGui gui;
        const auto printer = openPrinter(args, io.err, devices);
        return printer ? printed(printListing(read->lists, *printer, printJobName(args.operands.front(), "listing")), io.err) : 2;
    }

    const std::string& output = args.values.at("-o");
    // A printer writes only to a named file: print into a scratch folder, then write
    // the document out as any output is written, whole or not at all.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        io.err << "fernhollow: cannot write " << output << ": " << scratch.errorString().toStdString() << '\n';
        return 2;
    }
    const QString pdfName = scratch.filePath(QStringLiteral("listing.pdf"));
    const HeadlessGui gui;
    {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(pdfName);
        QtPrinter printer(pdf);
        if (const auto error = printListing(read->lists, printer, printJobName(args.operands.front(), "listing"))) {
            io.err << "fernhollow: " << *error << '\n';
            return 2;
        }
    }
    QFile pdf(pdfName);
    if (!pdf.open(QIODevice::ReadOnly)) {
        io.err << "fernhollow: cannot write " << output << ": " << pdf.errorString().toStdString() << '\n';
        return 2;
    }
    return writeOutput(devices.files, output, pdf.readAll().toStdString(), io.err);
}

} // namespace fh::cli
