#pragma once

// Desktop realisations of the beeper, message box and file dialogs, and (from
// qtclock.h) of the clock.

#include "platform/devices.h"
#include "platform/qt/qtclock.h"

class QWidget;

namespace fh {

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
