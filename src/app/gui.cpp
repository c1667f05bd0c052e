#include "app/gui.h"

#include "app/application.h"
#include "platform/qt/qtdevices.h"

#include <QApplication>

namespace fh::gui {

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtClock clock;
    Application application(clock);
    // A program file named on the command line opens as Load would open it.
    // QApplication has taken its own options out of argv by now.
    if (argc > 1)
        application.open(argv[1]);
    application.show();
    return QApplication::exec();
}

} // namespace fh::gui
