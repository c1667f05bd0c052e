#include "cli/commands.h"
#include "cli/headless.h"
#include "files/listing.h"
#include "platform/qt/qtprinter.h"

#include <QFile>
#include <QPrinter>

#include <ostream>

namespace fh::cli {

int listing(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& output = args.values.at("-o");
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    const QString pdfName = QFile::decodeName(QByteArray::fromStdString(output));
    if (QFile probe(pdfName); !probe.open(QIODevice::WriteOnly)) {
        io.err << "fernhollow: cannot write " << output << ": " << probe.errorString().toStdString() << '\n';
        return 2;
    }

    const HeadlessGui gui;

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(pdfName);
    QtPrinter printer(pdf);
    if (const auto error = printListing(read->lists, printer)) {
        io.err << "fernhollow: " << *error << '\n';
        return 2;
    }
    return 0;
}

} // namespace fh::cli
