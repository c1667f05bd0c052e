#include "platform/qt/qtclock.h"

#include <QTime>

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

} // namespace
