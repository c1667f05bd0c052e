#include "app/gui.h"

#include "compiler/program.h"
#include "editor/editor.h"
#include "editor/form1.h"
#include "platform/qt/qtdevices.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>

namespace fh::gui {

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle);
    installFontSubstitutes();

    QtClock clock;
    QtMessageBox messages;
    Editor editor(messages);
    Program program;
    Form1 form1(editor, program, messages, clock);
    messages.setParent(&form1);

    form1.show();
    // Without a window manager nothing else makes it active, and the start-up
    // runs on activation.
    form1.activateWindow();
    return QApplication::exec();
}

} // namespace fh::gui
