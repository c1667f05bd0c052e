#include "gui/windowplaces.h"

#include "platform/settings.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <optional>
#include <string>

namespace fh {

namespace {

const QString simulationWindow = QStringLiteral("Form3");
const QStringList kept = {QStringLiteral("Form1"), simulationWindow, QStringLiteral("Form4")};

std::string key(const QWidget& window)
{
    return "windows/" + window.objectName().toStdString();
}

std::optional<QPoint> stored(const Settings& settings, const QWidget& window)
{
    const std::vector<std::string> values = settings.strings(key(window));
    if (values.size() != 2)
        return std::nullopt;
    bool xRead = false;
    bool yRead = false;
    const QPoint at(QString::fromStdString(values[0]).toInt(&xRead), QString::fromStdString(values[1]).toInt(&yRead));
    // No screen lies that far out; the bound keeps the sums below from overflowing.
    const QRect farthest(-1000000, -1000000, 2000000, 2000000);
    if (!xRead || !yRead || !farthest.contains(at))
        return std::nullopt;
    return at;
}

// Where the user can take hold of the window's title bar.
bool onScreen(const QPoint& topMiddle)
{
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* s) { return s->availableGeometry().contains(topMiddle); });
}

} // namespace

QPoint beside(const QRect& main, const QRect& inSight, const QSize& size, const QRect& screen)
{
    const int top = std::max(screen.top(), std::min(main.top(), screen.bottom() + 1 - size.height()));
    if (main.right() + size.width() <= screen.right())
        return {main.right() + 1, top};
    if (main.left() - size.width() >= screen.left())
        return {main.left() - size.width(), top};
    const int rightmost = std::max(screen.left(), screen.right() + 1 - size.width());
    if (!inSight.isNull() && inSight.bottom() + size.height() <= screen.bottom())
        return {std::clamp(main.left(), screen.left(), rightmost), inSight.bottom() + 1};
    return {rightmost, top};
}

WindowPlaces::WindowPlaces(Settings& settings, const QWidget& mainWindow, std::function<QRect()> inSight)
    : settings(settings), mainWindow(mainWindow), inSight(std::move(inSight))
{
    qApp->installEventFilter(this);
}

WindowPlaces::~WindowPlaces()
{
    for (const QPointer<QWidget>& window : placed) {
        if (window && window->isVisible())
            remember(*window);
    }
}

// A window is polished once, as it is first shown, before it reaches the screen.
bool WindowPlaces::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Polish || type == QEvent::Hide) && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && kept.contains(window->objectName())) {
            if (type == QEvent::Polish)
                place(*window);
            else
                remember(*window);
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlaces::place(QWidget& window)
{
    std::erase_if(placed, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
    placed.emplace_back(&window);
    if (const auto at = stored(settings, window); at && onScreen(*at + QPoint(window.width() / 2, 0))) {
        window.move(*at);
        return;
    }
    if (window.objectName() == simulationWindow && mainWindow.screen()) {
        // The new window's frame is not known before it is shown; it is the main window's.
        const QRect main = mainWindow.frameGeometry();
        const QSize frame = main.size() - mainWindow.size();
        window.move(beside(main, inSight ? inSight() : QRect(), window.size() + frame,
                           mainWindow.screen()->availableGeometry()));
    }
}

// A maximised window stands at the corner of its screen, and goes back to that screen.
void WindowPlaces::remember(const QWidget& window)
{
    settings.setStrings(key(window), {std::to_string(window.x()), std::to_string(window.y())});
}

} // namespace fh
