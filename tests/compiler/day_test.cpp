#include "compiler/day.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

constexpr int at(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

Program compiled(const std::vector<std::string>& lines)
{
    CommandLists lists;
    for (const auto& line : lines)
        lists[static_cast<std::size_t>(std::max(listOf(line), 0))].push_back(line);
    doubles::RecordingMessageBox messages;
    return compile(lists, doubles::FakeClock(0), messages).value();
}

// Lines held back a day: the controller applies one line a second, in the order of the
// code, so a second line of the same second, or a line at hour 24 that later lines
// wait behind, makes the days differ.
TEST(Day, TheCycleIsTheControllersDays)
{
    const struct {
        const char* why;
        std::vector<std::string> lines;
        std::size_t days;
        int second;
        std::vector<bool> lightOnByDay; // light 1 at `second` on day 1, 2, …
    } cases[] = {
        {"one line a second", {"L,12:00:00,1,ON", "L,12:00:00,1,OFF"}, 2, at(12, 30), {true, false}},
        {"before the held line acts", {"L,12:00:00,1,ON", "L,12:00:00,1,OFF"}, 2, at(11, 0), {false, true}},
        {"hour 24 ahead of the first line", {"L,01:00:00,1,ON", "L,24:00:30,1,OFF"}, 1, at(0, 10), {false}},
        {"hour 24 behind later lines", {"L,00:00:10,1,ON", "L,05:00:00,1,OFF", "L,24:00:30,2,ON"}, 2, at(3, 0),
         {true, false}},
        // A time that never meets the clock holds every line after it in the code.
        {"a time that never comes", {"L,06:00:00,1,ON", "L,7:00,1,OFF", "L,24:00:05,1,OFF"}, 1, at(9, 0), {false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Cycle cycle(compiled(c.lines));
        ASSERT_EQ(cycle.days().size(), c.days);
        for (std::size_t d = 0; d < c.days; ++d)
            EXPECT_EQ(cycle.days()[d].at(c.second).lights[0], c.lightOnByDay[d]) << "day " << d + 1;
    }
}

TEST(Day, NoLineSetsThePointsTheControllerStartsWith)
{
    const DayState day = Cycle(compiled({"L,06:00:00,1,ON"})).days().front().at(at(12, 0));
    EXPECT_EQ(day.low, startLow);
    EXPECT_EQ(day.high, startHigh);
    EXPECT_EQ(totalsOf(Cycle(compiled({"L,06:00:00,1,ON"})).days().front()).lowMin, startLow);
}

TEST(Day, PulsedSecondsOpenCountFromAnOnPhase)
{
    const struct { TimerTimes times; int seconds; int open; } rows[] = {
        {{5, 595, 0}, at(10, 0), 300},
        {{5, 595, 0}, 599, 5},
        {{5, 595, 0}, 3, 3},
        {{5, 595, 0}, 601, 6},
        {{5, 595, 0}, 0, 0},
        // A fraction of a second on is a whole second of the period: 1.5 on, 1 off
        // rounds to a period of 2, all of it on.
        {{1.5, 1, 0}, 10, 10},
        {{0.5, 2, 0}, 10, 5},   // period 2 (2.5 to even), one second on
        {{0.5, 2.6, 0}, 10, 4}, // period 3
        // Longer on than the period: always on.
        {{5, -3, 0}, 10, 10},
        {{1e300, 1e300, 0}, 100, 100},
        {{1, 1e300, 0}, 86400, 1},
        {unsetTimer, 63, 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(pulsedOpenSeconds(row.times, row.seconds), row.open)
            << row.times.on << "/" << row.times.off << " for " << row.seconds;
}

TEST(Day, WaterRunsWhileOnAndInThePulsesOfEachStretch)
{
    // The seconds water runs through valves 1 and 2.
    const struct { const char* why; std::vector<std::string> lines; std::array<int, 2> open; } cases[] = {
        // A new on time for the timer starts a new stretch with an on phase.
        {"the timer's times change mid-stretch",
         {"W,08:00:00,1,P1,5S,595S", "W,08:00:03,2,P1,10S,50S", "W,09:00:00,1/2,OFF"},
         {3 + 60 * 10, 60 * 10}},
        // The same times again leave the stretch as it was.
        {"the same times again", {"W,08:00:00,1,P1,5S,595S", "W,08:00:03,2,P1,5S,595S", "W,09:00:00,1/2,OFF"},
         {30, 30}},
        {"a stretch over midnight", {"W,23:59:58,1,P1,5S,595S", "W,00:00:03,1,OFF"}, {2 + 3, 0}},
        // Fault mended: the pulses began afresh at midnight, 12 s where noon gives 9.
        {"over midnight as at noon", {"W,23:59:50,1,P1,3S,4S", "W,00:00:10,1,OFF"}, {9, 0}},
        {"at noon", {"W,11:59:50,1,P1,3S,4S", "W,12:00:10,1,OFF"}, {9, 0}},
        {"a timer no line sets: 1 s on, 30 s off", {"W,08:00:00,1,P3", "W,08:01:03,1,OFF"}, {3, 0}},
        {"pulsed, then steady", {"W,08:00:00,1,P1,5S,595S", "W,08:00:02,1,ON", "W,08:00:10,1,OFF"}, {10, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const DayTotals totals = totalsOf(Cycle(compiled(c.lines)).days().front());
        EXPECT_EQ((std::array{totals.valvesOpen[0], totals.valvesOpen[1]}), c.open);
    }
}

} // namespace
} // namespace fh

namespace fh {
namespace {

// The longest dark period: every light off, a stretch over midnight counted whole,
// from the day model (the days around in the cycle), not from this day alone.
TEST(Day, TheLongestDarkPeriodCountsAStretchOverMidnightWhole)
{
    using Dark = DayTotals::Dark;
    const struct {
        const char* why;
        std::vector<std::string> lines;
        std::vector<Dark> byDay;
    } cases[] = {
        {"a night over midnight", {"L,05:00:00,1,ON", "L,21:00:00,1,OFF"}, {{at(8, 0), at(21, 0), at(5, 0)}}},
        // A light on for a minute in the night halves it.
        {"a night broken for a minute",
         {"L,05:00:00,1,ON", "L,21:00:00,1,OFF", "L,01:00:00,2,ON", "L,01:01:00,2,OFF"},
         {{at(4, 0), at(21, 0), at(1, 0)}}},
        {"two relays, dark only while both are off",
         {"L,06:00:00,1,ON", "L,18:00:00,1,OFF", "L,17:00:00,2,ON", "L,23:00:00,2,OFF"},
         {{at(7, 0), at(23, 0), at(6, 0)}}},
        {"never lit", {"W,06:00:00,1,ON", "W,06:10:00,1,OFF"}, {{}}},
        {"never dark", {"L,00:00:00,1,ON"}, {{0, {}, {}}}},
        // The OFF of 12:00 waits a day: lit from 12:00 on day 1 to 12:00 on day 2, and
        // 13:00 to 14:00; the dark from 14:00 on day 2 runs on to 12:00 on day 1.
        {"a cycle of two days",
         {"L,12:00:00,1,ON", "L,12:00:00,1,OFF", "L,13:00:00,1,ON", "L,14:00:00,1,OFF"},
         {{at(22, 0), at(14, 0), at(12, 0)}, {at(22, 0), at(14, 0), at(12, 0)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Cycle cycle(compiled(c.lines));
        ASSERT_EQ(cycle.days().size(), c.byDay.size());
        for (std::size_t d = 0; d < c.byDay.size(); ++d) {
            const Dark dark = totalsOf(cycle.days()[d]).longestDark;
            EXPECT_EQ(dark, c.byDay[d]) << "day " << d + 1 << ": " << dark.seconds << " s from "
                                        << dark.from.value_or(-1) << " to " << dark.to.value_or(-1);
        }
    }
}

} // namespace
} // namespace fh
