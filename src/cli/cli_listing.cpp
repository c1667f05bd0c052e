#include "cli/cli.h"
#include "cli/headless.h"
#include "files/listing.h"
#include "platform/qt/qtprinter.h"

#include <QFile>
#include <QPrinter>

#include <ostream>

namespace fh::cli {

int listing(const Args& args, Streams io)
{
    std::string input, output;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            output = args[++i];
        else if (input.empty() && args[i] != "-o")
            input = args[i];
        else
            usage = true;
    }
    if (usage || input.empty() || output.empty()) {
        io.err << "usage: fernhollow listing FILE -o OUT.pdf\n";
        return 2;
    }

    const auto lists = loadProgram(input, io.err);
    if (!lists)
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
    if (const auto error = printListing(*lists, printer)) {
        io.err << "fernhollow: " << *error << '\n';
        return 2;
    }
    return 0;
}

} // namespace fh::cli
