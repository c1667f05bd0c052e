#pragma once

// Desktop realisations of the clock, beeper, message box and file dialogs.

#include "platform/devices.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace fh {

// A monotonic timer, and a single-shot timer for the one wake asked for.
class QtWallTimer : public WallTimer {
public:
    QtWallTimer();
    ~QtWallTimer() override;
    QtWallTimer(const QtWallTimer&) = delete;
    QtWallTimer& operator=(const QtWallTimer&) = delete;

    long long milliseconds() const override;
    void wakeAfter(long long delay, std::function<void()> wake) override;

private:
    QElapsedTimer started;
    std::unique_ptr<QTimer> timer;
    std::function<void()> pending;
};

// Wakes the program once a second, and never between seconds.
class QtClock : public Clock {
public:
    int secondsOfDay() const override;
    void wakeAtNextSecond(std::function<void()> wake) override;

private:
    QtWallTimer timer;
};

class QtBeeper : public Beeper {
public:
    void beep() override;
};

// Boxes are modal over `parent` (none: over the whole application).
class QtMessageBox : public MessageBox {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const std::string& text) override;
    SaveChoice askSave(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    QWidget* parent_ = nullptr;
};

class QtFileDialogs : public FileDialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> openFileName(const std::string& initial, const FileType& type) override;
    std::optional<std::string> saveFileName(const std::string& initial, const FileType& type) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace fh
