#pragma once

// The desktop's clock and wall timer, on QtCore only, for the windows and the commands.

#include "platform/devices.h"

#include <QElapsedTimer>

#include <functional>
#include <memory>

class QTimer;

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
    DateTime now() const override;
    void wakeAtNextSecond(std::function<void()> wake) override;

private:
    QtWallTimer timer;
    // The local zone's offset from UTC, and the minute since the epoch it was read in.
    mutable long long offsetMinute = -1;
    mutable int offsetSeconds = 0;
};

} // namespace fh
