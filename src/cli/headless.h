#pragma once

// Painting without a window: fonts, images and PDF need a GUI application, but no
// display. While it lives, Qt's own notes (no runtime folder and the like) are kept
// quiet, so a command's failure stays a one-line report; Qt's errors still show.

#include <QtGlobal>

#include <memory>

class QGuiApplication;

namespace fh::cli {

class HeadlessGui {
public:
    HeadlessGui();
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

private:
    QtMessageHandler previous;
    std::unique_ptr<QGuiApplication> app;
};

} // namespace fh::cli
