// Why each item is as it is: the line behind it, since when, what changes it next,
// and the pulse timers' phases by the one timer rule.

#include "compiler/why.h"

#include "compiler/rowrule.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <random>

namespace fh {
namespace {

struct Read {
    Program program;
    CommandLists lists;
};

Read compiled(const CommandLists& lists)
{
    doubles::RecordingMessageBox messages;
    return {dayProgram(lists, messages).value(), lists};
}

int item(const char* name) { return dayItemNamed(name).value(); }

TEST(Why, TheLineBehindEachValueSinceWhenAndWhatComesNext)
{
    // A failing line in the water list counts in the numbering, as filed.
    const Read read = compiled({{{"T,06:00:00,70,75"},
                                 {"L,05:00:00,1,ON", "L,07:00:00,1,ON", "L,20:00:00,1,OFF"},
                                 {"W,08:00:00,1/2,P1,5S,595S", "W,99:00:00,1,ON", "W,18:00:00,1/2,OFF"}}});
    const DayReasons reasons(read.program, read.lists);
    const Display display;
    const struct {
        const char* item;
        int second;
        const char* value;
        const char* by; // none: no line sets it
        std::optional<int> since;
        std::optional<int> next;
        const char* nextValue;
    } rows[] = {
        // Set again at 07:00 with no change: by the later line, since the first.
        {"light 1", 8 * 3600, "on", "L,07:00:00,1,ON (lights line 2)", 5 * 3600, 20 * 3600, "off"},
        // Before the day's first line: from the evening before, over midnight.
        {"light 1", 3600, "off", "L,20:00:00,1,OFF (lights line 3)", 20 * 3600, 5 * 3600, "on"},
        {"valve 2", 8 * 3600 + 2, "P1", "W,08:00:00,1/2,P1,5S,595S (water line 1)", 8 * 3600, 18 * 3600, "off"},
        {"valve 1", 18 * 3600, "off", "W,18:00:00,1/2,OFF (water line 3)", 18 * 3600, 8 * 3600, "P1"},
        {"timer 1", 9 * 3600, "5/595", "W,08:00:00,1/2,P1,5S,595S (water line 1)", std::nullopt, std::nullopt, ""},
        {"low", 6 * 3600, "70", "T,06:00:00,70,75 (temperature line 1)", std::nullopt, std::nullopt, ""},
        {"valve 3", 9 * 3600, "off", nullptr, std::nullopt, std::nullopt, ""},
        {"timer 2", 9 * 3600, "1/30", nullptr, std::nullopt, std::nullopt, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.item) + " at " + formatTime(row.second));
        const Reason r = reasons.why(0, row.second, item(row.item), display);
        EXPECT_EQ(r.value, row.value);
        EXPECT_EQ(r.line >= 0 ? filedLineText(reasons.filed(r.line)) : "", row.by ? row.by : "");
        EXPECT_EQ(r.since ? std::optional(r.since->second) : std::nullopt, row.since);
        EXPECT_EQ(r.next ? std::optional(r.next->at.second) : std::nullopt, row.next);
        if (r.next) {
            EXPECT_EQ(r.next->value, row.nextValue);
        }
    }
}

TEST(Why, APulsedValveGivesItsTimersPhaseAsTheControllerStartedAtMidnightRunsIt)
{
    const Read read = compiled({{{}, {}, {"W,08:00:00,1,P1,5S,595S", "W,18:00:00,1,OFF"}}});
    const DayReasons reasons(read.program, read.lists);
    const struct {
        int second;
        std::optional<PulsePhase> pulse;
    } rows[] = {
        {8 * 3600 + 2, PulsePhase{true, 3}},
        {8 * 3600 + 5, PulsePhase{false, 595}},
        {8 * 3600 + 600, PulsePhase{true, 5}},
        // The timer keeps its times from the day before.
        {8 * 3600, PulsePhase{true, 5}},
        {17 * 3600, PulsePhase{true, 5}},
        {19 * 3600, std::nullopt},
    };
    for (const auto& row : rows) {
        const Reason r = reasons.why(0, row.second, item("valve 1"), Display{});
        EXPECT_EQ(r.pulse, row.pulse) << formatTime(row.second);
    }
    // The controller is switched on at 00:00:00 of day 1: its timers have not ticked.
    EXPECT_EQ(reasons.timerPhase(0, 0).on, false);
}

TEST(Why, ADayOfALongerCycle)
{
    // The second line at 06:00:00 waits a day: on on day 1, off on day 2.
    const Read read = compiled({{{}, {"L,06:00:00,1,ON", "L,06:00:00,1,OFF"}, {}}});
    const DayReasons reasons(read.program, read.lists);
    ASSERT_EQ(reasons.days(), 2U);
    const Reason day1 = reasons.why(0, 7 * 3600, item("light 1"), Display{});
    const Reason day2 = reasons.why(1, 7 * 3600, item("light 1"), Display{});
    EXPECT_EQ(day1.value, "on");
    EXPECT_EQ(day2.value, "off");
    ASSERT_TRUE(day1.next && day2.next && day2.since);
    EXPECT_EQ(day1.next->at, (CycleSecond{1, 6 * 3600}));
    EXPECT_EQ(day2.next->at, (CycleSecond{0, 6 * 3600}));
    EXPECT_EQ(day2.since, (CycleSecond{1, 6 * 3600}));
    EXPECT_EQ(reasons.filed(day2.line).number, 2U);
}

TEST(Why, ItemsByName)
{
    EXPECT_EQ(dayItemNamed("valve1"), dayItemNamed("valve 1"));
    EXPECT_EQ(dayItemNamed("Light 6"), 5);
    EXPECT_EQ(dayItemNamed("HIGH"), dayItemCount - 1);
    for (const char* bad : {"valve 7", "valve", "lamp 1", "", "timer 0"})
        EXPECT_FALSE(dayItemNamed(bad)) << bad;
}

// The jump over a phase finds the second that stepping second by second does, for
// times with halves, fractions, negative phases and periods shorter than the on time.
TEST(TimerRule, PhaseChangeMatchesSteppingSecondBySecond)
{
    std::mt19937 random(7);
    const auto pick = [&](double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); };
    for (int k = 0; k < 2000; ++k) {
        TimerTimes t{std::round(pick(0.5, 40) * 2) / 2, std::round(pick(-5, 60) * 2) / 2,
                     std::round(pick(-100, 100) * 2) / 2};
        if (k % 3 == 0)
            t.on = std::round(t.on);
        const int from = static_cast<int>(pick(0, 3000));
        const int to = from + static_cast<int>(pick(1, 500));
        int stepped = from + 1;
        while (stepped < to && inOnPhase(t, stepped) == inOnPhase(t, from))
            ++stepped;
        ASSERT_EQ(phaseChange(t, from, to), stepped)
            << "on " << t.on << " off " << t.off << " phase " << t.phase << " from " << from;
    }
}

} // namespace
} // namespace fh
