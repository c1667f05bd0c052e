#pragma once

// The text cursor blinks for a while after the user last typed or clicked, then
// stays lit, as GTK's desktops do: a cursor that blinks for ever repaints its box
// twice a second while the program sits idle.

#include <QObject>
#include <QTimer>

namespace fh {

class CursorBlink : public QObject {
public:
    // Installs itself on the application; `blinkingMs` is how long the cursor blinks.
    explicit CursorBlink(int blinkingMs = 10'000);
    ~CursorBlink() override;
    CursorBlink(const CursorBlink&) = delete;
    CursorBlink& operator=(const CursorBlink&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int flashMs; // the platform's own, restored on the user's next key or click
    QTimer still;
};

} // namespace fh
