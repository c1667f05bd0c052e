#include "compiler/daydiff.h"

#include "language/commandlists.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fh {

// Found by the failure messages through the type's namespace.
void PrintTo(const DayDifference& d, std::ostream* os)
{
    *os << "day " << d.day << " " << d.from << ".." << d.to << " item " << d.item << " " << d.a << " -> " << d.b;
}

namespace {

using Lines = std::vector<std::string>;
using Totals = std::vector<std::pair<std::string, std::string>>;

constexpr int at(int h, int m = 0) { return h * 3600 + m * 60; }

// Items as compareDays numbers them.
constexpr int light1 = 0, valve3 = outputCount + 2, timer1 = 2 * outputCount, low = 3 * outputCount;

CommandLists filed(const Lines& lines)
{
    CommandLists lists;
    for (const auto& line : lines)
        lists[static_cast<std::size_t>(std::max(listOf(line), 0))].push_back(line);
    return lists;
}

DayComparison compared(const Lines& a, const Lines& b)
{
    const CommandLists listsA = filed(a), listsB = filed(b);
    doubles::RecordingMessageBox messages;
    return compareDays(dayProgram(listsA, messages).value(), listsA, dayProgram(listsB, messages).value(), listsB,
                       Display{});
}

TEST(DayDiff, ComparesOneDayItemByItemWithTheLinesAndTotals)
{
    const struct {
        const char* why;
        Lines a, b;
        std::vector<DayDifference> differences;
        Lines onlyA, onlyB;
        Totals totals;
    } cases[] = {
        {"the same program", {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"}, {"L,18:00:00,1,OFF", "L,06:00:00,1,ON"}, {},
         {}, {}, {}},
        {"a light on two hours longer",
         {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"},
         {"L,06:00:00,1,ON", "L,20:00:00,1,OFF"},
         {{0, at(18), at(20), light1, "off", "on"}},
         {"L,18:00:00,1,OFF"},
         {"L,20:00:00,1,OFF"},
         {{"light 1: 12 h 00 min on", "light 1: 14 h 00 min on"},
          {"dark 12 h 00 min, 18:00-06:00", "dark 10 h 00 min, 20:00-06:00"}}},
        {"a valve pulsed instead of on: its timer differs all day, by start, then item",
         {"W,12:00:00,3,ON", "W,18:00:00,3,OFF"},
         {"W,12:00:00,3,P1,5S,10M", "W,18:00:00,3,OFF"},
         {{0, 0, at(24), timer1, "1/30", "5/600"}, {0, at(12), at(18), valve3, "on", "P1"}},
         {"W,12:00:00,3,ON"},
         {"W,12:00:00,3,P1,5S,10M"},
         {{"valve 3: 6 h 00 min on, 0 h 00 min pulsed, water runs 21600 s",
           "valve 3: 0 h 00 min on, 6 h 00 min pulsed, water runs 180 s"}}},
        {"a set-point differs round the clock, from the day before",
         {"T,06:00:00,70,80"},
         {"T,06:00:00,72.5,80"},
         {{0, 0, at(24), low, "70", "72.5"}},
         {"T,06:00:00,70,80"},
         {"T,06:00:00,72.5,80"},
         {{"low set-point: 70 to 70", "low set-point: 72.5 to 72.5"}}},
        {"a stretch over midnight is two",
         {"L,22:00:00,1,ON", "L,02:00:00,1,OFF"},
         {"L,02:00:00,1,OFF"},
         {{0, 0, at(2), light1, "on", "off"}, {0, at(22), at(24), light1, "on", "off"}},
         {"L,22:00:00,1,ON"},
         {},
         {{"light 1: 4 h 00 min on", "light 1: 0 h 00 min on"}, {"dark 20 h 00 min, 02:00-22:00", "dark all day"}}},
        {"a line that changes nothing is only in its program", {"L,06:00:00,1,ON"},
         {"L,06:00:00,1,ON", "L,07:00:00,1,ON"}, {}, {}, {"L,07:00:00,1,ON"}, {}},
        {"a line that fails the check is only in its program", {"L,06:00:00,1,ON"},
         {"L,06:00:00,1,ON", "L,6,9,ON"}, {}, {}, {"L,6,9,ON"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const DayComparison got = compared(c.a, c.b);
        EXPECT_EQ(got.days, 1u);
        EXPECT_EQ(got.differences, c.differences);
        EXPECT_EQ(got.same(), c.differences.empty());
        EXPECT_EQ(got.onlyA, c.onlyA);
        EXPECT_EQ(got.onlyB, c.onlyB);
        EXPECT_EQ(got.totals, c.totals);
    }
}

// A second line at the same second is held back a day, so a program may repeat only
// every N days; two programs are compared over the days after which both repeat.
TEST(DayDiff, ComparesEachDayOfTheCycles)
{
    const Lines twoDays = {"L,06:00:00,1,ON", "L,06:00:00,1,OFF"};
    const Lines threeDays = {"L,06:00:00,1,ON", "L,06:00:00,1,OFF", "L,06:00:00,1,ON"};
    const struct {
        const char* why;
        Lines a, b;
        std::size_t daysA, daysB, days;
        std::vector<DayDifference> differences;
        Totals totals;
    } cases[] = {
        {"a cycle of two days alike", {"L,06:00:00,1,ON"}, {"L,06:00:00,1,ON", "L,06:00:00,1,ON"}, 1, 2, 2, {}, {}},
        {"a day against two",
         {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"},
         twoDays,
         1,
         2,
         2,
         {{1, at(18), at(24), light1, "off", "on"}, {2, 0, at(6), light1, "off", "on"},
          {2, at(6), at(18), light1, "on", "off"}},
         {{"day 1: light 1: 12 h 00 min on", "day 1: light 1: 18 h 00 min on"},
          {"day 1: dark 12 h 00 min, 18:00-06:00", "day 1: dark 24 h 00 min, 06:00-06:00"},
          {"day 2: light 1: 12 h 00 min on", "day 2: light 1: 6 h 00 min on"},
          {"day 2: dark 12 h 00 min, 18:00-06:00", "day 2: dark 24 h 00 min, 06:00-06:00"}}},
        // Light 1 by day: a on 06-24, on 00-06; b on all day, on 00-06, on 06-24.
        {"two days against three: six",
         twoDays,
         threeDays,
         2,
         3,
         6,
         {{1, 0, at(6), light1, "off", "on"},
          {4, at(6), at(24), light1, "off", "on"},
          {5, 0, at(6), light1, "off", "on"},
          {5, at(6), at(24), light1, "on", "off"},
          {6, 0, at(6), light1, "on", "off"},
          {6, at(6), at(24), light1, "off", "on"}},
         {{"day 1: light 1: 18 h 00 min on", "day 1: light 1: 24 h 00 min on"},
          {"day 1: dark 24 h 00 min, 06:00-06:00", "day 1: dark 0 h 00 min"},
          {"day 4: light 1: 6 h 00 min on", "day 4: light 1: 24 h 00 min on"},
          {"day 4: dark 24 h 00 min, 06:00-06:00", "day 4: dark 0 h 00 min"},
          {"day 5: light 1: 18 h 00 min on", "day 5: light 1: 6 h 00 min on"},
          {"day 6: light 1: 6 h 00 min on", "day 6: light 1: 18 h 00 min on"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const DayComparison got = compared(c.a, c.b);
        EXPECT_EQ(got.daysA, c.daysA);
        EXPECT_EQ(got.daysB, c.daysB);
        EXPECT_EQ(got.days, c.days);
        EXPECT_EQ(got.differences, c.differences);
        EXPECT_EQ(got.totals, c.totals);
    }
}

// Values come in Latin-1, as the display reads them, and go out in UTF-8.
TEST(DayDiff, ADifferenceReadsAsALine)
{
    const struct { DayDifference difference; const char *dash, *arrow; std::string line; } cases[] = {
        {{0, at(18), at(20), light1, "off", "on"}, "\u2013", "\u2192",
         "18:00:00\u201320:00:00  light 1   off \u2192 on"},
        {{2, 0, at(24), low, "70", "72.5"}, "\u2013", "\u2192",
         "day 2  00:00:00\u201324:00:00  low       70 \u2192 72.5"},
        {{0, at(6, 30), at(7), low, "21.1 \xB0" "C", "22.5 \xB0" "C"}, "-", "->",
         "06:30:00-07:00:00  low       21.1 \u00B0C -> 22.5 \u00B0C"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(differenceLine(c.difference, Display{}, c.dash, c.arrow), c.line);
}

TEST(DayDiff, LinesOnlyInOneProgramCountAsAMultisetWhateverTheList)
{
    using Lines = std::vector<std::string>;
    const struct { const char* why; CommandLists a, b; Lines onlyA, onlyB; } cases[] = {
        {"the earliest copies are matched first", {Lines{}, Lines{"X", "Y", "X"}, Lines{}},
         {Lines{}, Lines{"X"}, Lines{}}, {"Y", "X"}, {}},
        {"a line is matched in another list", {Lines{"X"}, Lines{}, Lines{}}, {Lines{}, Lines{}, Lines{"X", "Z"}},
         {}, {"Z"}},
        {"in list order, T before L before W", {Lines{"T"}, Lines{"L"}, Lines{"W"}}, {}, {"T", "L", "W"}, {}},
        {"lines of nothing but spaces are left out", {Lines{"   ", ""}, Lines{}, Lines{}},
         {Lines{" "}, Lines{}, Lines{}}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto [onlyA, onlyB] = linesOnlyIn(c.a, c.b);
        EXPECT_EQ(onlyA, c.onlyA);
        EXPECT_EQ(onlyB, c.onlyB);
    }
}

} // namespace
} // namespace fh
