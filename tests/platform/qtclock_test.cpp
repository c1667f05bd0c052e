#include "platform/qt/qtclock.h"

#include <QCoreApplication>
#include <QTime>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// Zones east and west, a half and three quarters of an hour off, one with summer time,
// as POSIX rules, which need no zone files.
TEST(QtClock, ReadsTheLocalTimeOfDayInEveryZone)
{
    const QByteArray before = qgetenv("TZ");
    for (const char* zone : {"UTC0", "<+0545>-5:45", "<-0330>+3:30", "CET-1CEST,M3.5.0,M10.5.0/3", "<+14>-14"}) {
        SCOPED_TRACE(zone);
        qputenv("TZ", zone);
        tzset();
        const fh::QtClock clock;
        const int expected = QTime::currentTime().msecsSinceStartOfDay() / 1000;
        const int read = clock.secondsOfDay();
        // The second may turn between the two reads.
        EXPECT_TRUE(read == expected || read == (expected + 1) % 86400) << read << " against " << expected;
    }
    if (before.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", before);
    tzset();
}

// One wake at a time: a second asked for replaces the first, an empty one cancels, and
// cancelling before any wake was asked for is harmless.
TEST(QtWallTimer, WakesForTheLastWakeAskedUnlessCancelled)
{
    int argc = 1;
    char name[] = "fernhollow_qt_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    fh::QtWallTimer timer;
    timer.wakeAfter(0, {});
    int first = 0, second = 0, cancelled = 0;
    timer.wakeAfter(5, [&] { ++first; });
    timer.wakeAfter(10, [&] { ++second; });
    QTimer::singleShot(100, [&] {
        timer.wakeAfter(5, [&] { ++cancelled; });
        timer.wakeAfter(0, {});
        QTimer::singleShot(100, [] { QCoreApplication::exit(); });
    });
    QCoreApplication::exec();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(cancelled, 0);
}

} // namespace
