#include "app/gui.h"

#include "app/application.h"
#include "platform/qt/qtdevices.h"

#include <QApplication>

#include <optional>
#include <string>

namespace fh::gui {

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtClock clock;
    Application application(clock);
    // QApplication has taken its own options out of argv by now.
    application.start(argc > 1 ? std::optional<std::string>(argv[1]) : std::nullopt);
    return QApplication::exec();
}

} // namespace fh::gui
