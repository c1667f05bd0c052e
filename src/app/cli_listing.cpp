#include "app/cli.h"
#include "files/listing.h"
#include "platform/qt/qtprinter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>

#include <cstdio>
#include <memory>
#include <ostream>

namespace fh::cli {

namespace {

// Qt's own warnings (no runtime folder, a painter that could not begin) would add
// lines to the one-line report of a failure, so they are kept quiet meanwhile.
class QuietQt {
public:
    QuietQt() : previous(qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                    if (type == QtCriticalMsg || type == QtFatalMsg)
                        std::fputs(qPrintable(text + '\n'), stderr);
                })) {}
    ~QuietQt() { qInstallMessageHandler(previous); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;

private:
    QtMessageHandler previous;
};

} // namespace

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

    const QuietQt quiet;
    // Fonts and the PDF engine need a GUI application; no display is needed.
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fernhollow";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

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
