#include "platform/qt/qtclock.h"

#include <QDateTime>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace fh {

QtWallTimer::QtWallTimer() { started.start(); }

QtWallTimer::~QtWallTimer() = default;

long long QtWallTimer::milliseconds() const { return started.elapsed(); }

void QtWallTimer::wakeAfter(long long delay, std::function<void()> wake)
{
    pending = std::move(wake);
    if (!pending) {
        if (timer)
            timer->stop();
        return;
    }
    // Made at the first wake: a command that never waits makes no QObject.
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        // A coarse timer may fire a twentieth of its interval early or late.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this] {
            if (pending)
                std::exchange(pending, {})();
        });
    }
    timer->start(static_cast<int>(std::clamp<long long>(delay, 0, std::numeric_limits<int>::max())));
}

int QtClock::secondsOfDay() const
{
    // Each read of the local time looks at the zone's file again, a cost paid every
    // second while the program idles. A zone's offset changes only at the turn of a
    // minute, so it is read once a minute, which also sees a new zone soon enough.
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    if (const qint64 minute = ms / 60000; minute != offsetMinute) {
        offsetMinute = minute;
        offsetSeconds = QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc();
    }
    return dayOf(ms / 1000 + offsetSeconds);
}

DateTime QtClock::now() const
{
    const QDateTime moment = QDateTime::currentDateTime();
    const QDate date = moment.date();
    return {date.year(), date.month(), date.day(), moment.time().msecsSinceStartOfDay() / 1000};
}

void QtClock::wakeAtNextSecond(std::function<void()> wake)
{
    // A millisecond past the turn, so that the new second has surely begun. Zones differ
    // by whole seconds, so the turn is read from UTC, without a look at the local zone.
    timer.wakeAfter(1001 - QDateTime::currentMSecsSinceEpoch() % 1000, std::move(wake));
}

} // namespace fh
