#pragma once

// Where the main, simulation and chart windows stand. Each goes back, as it is first
// shown, to where it stood when last hidden, in this run or an earlier one, while
// that place is on a screen; the simulation window otherwise opens beside the main
// window. It watches the whole application, for the simulation and chart windows are
// made when first needed.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace fh {

class Settings;

// The top-left corner of a window of `size` beside `main` on `screen`, frames
// included: at its right, else at its left, else against the screen's right edge;
// level with its top, as far as the screen allows.
QPoint beside(const QRect& main, const QSize& size, const QRect& screen);

class WindowPlaces : public QObject {
public:
    WindowPlaces(Settings& settings, const QWidget& mainWindow);
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
    std::vector<QPointer<QWidget>> placed;
};

} // namespace fh
