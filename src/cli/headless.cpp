#include "cli/headless.h"

#include "platform/qt/qtfonts.h"

#include <QGuiApplication>

#include <cstdio>

namespace fh::cli {

namespace {
void keepQtErrors(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

HeadlessGui::HeadlessGui() : previous(qInstallMessageHandler(keepQtErrors))
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fernhollow";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitutes();
}

HeadlessGui::~HeadlessGui()
{
    app.reset();
    qInstallMessageHandler(previous);
}

} // namespace fh::cli
