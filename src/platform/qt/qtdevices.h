#pragma once

// Desktop realisations of the clock, beeper, message box and file dialogs.

#include "platform/devices.h"

#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace fh {

// A single-shot timer wakes the program once a second, and never between seconds.
class QtClock : public Clock {
public:
    QtClock();
    ~QtClock() override;
    QtClock(const QtClock&) = delete;
    QtClock& operator=(const QtClock&) = delete;

    int secondsOfDay() const override;
    void wakeAtNextSecond(std::function<void()> wake) override;

private:
    std::unique_ptr<QTimer> timer;
    std::function<void()> pending;
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
