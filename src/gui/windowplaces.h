#pragma once

// Where the main, simulation and chart windows stand. Each goes back, as it is first
// shown, to where it stood when last hidden, in this run or an earlier one, while
// that place is on a screen; the simulation window otherwise opens beside the main
// window. It watches the whole application, for the simulation and chart windows are
// made when first needed.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace fh {

class Settings;

// The top-left corner of a window of `size` beside `main` on `screen`, frames
// included: at its right, else at its left, level with its top as far as the screen
// allows; else over it, below `inSight` (the part of it to keep in sight) where the
// screen has room, else against the screen's right edge.
QPoint beside(const QRect& main, const QRect& inSight, const QSize& size, const QRect& screen);

class WindowPlaces : public QObject {
public:
    // `inSight`: the part of the main window, on the screen, that the simulation
    // window should leave in sight.
    WindowPlaces(Settings& settings, const QWidget& mainWindow, std::function<QRect()> inSight = {});
    // Remembers where the windows still shown stand.
    ~WindowPlaces() override;
    WindowPlaces(const WindowPlaces&) = delete;
    WindowPlaces& operator=(const WindowPlaces&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget& window);
    void remember(const QWidget& window);

    Settings& settings;
    const QWidget& mainWindow;
    std::function<QRect()> inSight;
    std::vector<QPointer<QWidget>> placed;
};

} // namespace fh
