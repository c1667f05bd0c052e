#include "gui/cursorblink.h"

#include <QApplication>
#include <QEvent>

namespace fh {

CursorBlink::CursorBlink(int blinkingMs) : flashMs(QApplication::cursorFlashTime())
{
    still.setSingleShot(true);
    still.setInterval(blinkingMs);
    connect(&still, &QTimer::timeout, this, [] { QApplication::setCursorFlashTime(0); });
    still.start();
    qApp->installEventFilter(this);
}

CursorBlink::~CursorBlink() { QApplication::setCursorFlashTime(flashMs); }

bool CursorBlink::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
        if (QApplication::cursorFlashTime() != flashMs)
            QApplication::setCursorFlashTime(flashMs);
        still.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fh
