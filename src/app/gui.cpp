#include "app/gui.h"

#include "app/application.h"
#include "platform/qt/qtdevices.h"
#include "platform/qt/qtsettings.h"

#include <QApplication>
#include <QSettings>

#include <optional>
#include <string>

namespace fh::gui {

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtClock clock;
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("fernhollow"),
                    QStringLiteral("fernhollow"));
    QtSettings settings(store);
    Application application(clock, settings);
    // QApplication has taken its own options out of argv by now.
    application.start(argc > 1 ? std::optional<std::string>(argv[1]) : std::nullopt);
    return QApplication::exec();
}

} // namespace fh::gui
