#include "compiler/day.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

constexpr int at(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }
constexpr double p1 = OutputState::pulsedBy(1);

Program compiled(const std::vector<std::string>& lines)
{
    CommandLists lists;
    for (const auto& line : lines)
        lists[static_cast<std::size_t>(std::max(listOf(line), 0))].push_back(line);
    Program program;
    doubles::RecordingMessageBox messages;
    program.compile(lists, messages, doubles::FakeClock(0));
    return program;
}

TEST(Day, StateAtAnySecondAndTotals)
{
    struct Probe {
        int second;
        int light;    // 1..6: its lamp is `on`; 0: look at valve 1
        bool on;
        double valve = 0; // valve 1's state when light is 0
    };
    const struct {
        const char* why;
        std::vector<std::string> lines;
        std::vector<Probe> probes;
        int lightOn;    // seconds light 1 is on
        int valvePulsed; // seconds valve 1 is pulsed
    } cases[] = {
        {"24:MM:SS acts at 00:MM:SS", {"L,24:00:05,1,ON", "L,00:00:10,1,OFF"},
         {{at(0, 0, 4), 1, false}, {at(0, 0, 5), 1, true}, {at(0, 0, 10), 1, false}}, 5, 0},
        {"a pulsed period runs past 24:00", {"W,22:00:00,1,P1,5S,10M", "W,02:00:00,1,OFF"},
         {{at(23, 0), 0, false, p1}, {at(1, 0), 0, false, p1}, {at(2, 0), 0, false, 0}}, 0, at(4, 0)},
        {"lines of one second act in the program's order", {"L,12:00:00,1,ON", "L,12:00:00,1,OFF"},
         {{at(12, 0), 1, false}, {at(11, 0), 1, false}}, 0, 0},
        {"a line without an hh:mm:ss time is left out", {"L,7:00,1,ON", "W,08:00:00,1,ON"},
         {{at(9, 0), 1, false}, {at(9, 0), 0, false, OutputState::on}}, 0, 0},
        {"a steady line ends a pulsed period", {"W,06:00:00,1,P1,5S,10M", "W,07:00:00,1,ON", "W,08:00:00,1,OFF"},
         {{at(6, 30), 0, false, p1}, {at(7, 30), 0, false, OutputState::on}}, 0, at(1, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const Program program = compiled(c.lines);
        for (const Probe& p : c.probes) {
            const DayState state = stateAt(program, p.second);
            if (p.light > 0)
                EXPECT_EQ(state.lights[static_cast<std::size_t>(p.light - 1)], p.on) << p.second;
            else
                EXPECT_EQ(state.valves[0], p.valve) << p.second;
        }
        const DayTotals totals = totalsOf(program);
        EXPECT_EQ(totals.lightsOn[0], c.lightOn);
        EXPECT_EQ(totals.valvesPulsed[0], c.valvePulsed);
    }
}

TEST(Day, PulsedSecondsOpenCountFromAnOnPhase)
{
    const struct {
        TimerTimes times;
        int seconds;
        int open;
    } rows[] = {
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
    const struct {
        const char* why;
        std::vector<std::string> lines;
        std::array<int, 2> open; // valves 1 and 2
    } cases[] = {
        // A new on time for the timer starts a new stretch with an on phase.
        {"the timer's times change mid-stretch",
         {"W,08:00:00,1,P1,5S,595S", "W,08:00:03,2,P1,10S,50S", "W,09:00:00,1/2,OFF"},
         {3 + 60 * 10, 60 * 10}},
        // The same times again leave the stretch as it was.
        {"the same times again", {"W,08:00:00,1,P1,5S,595S", "W,08:00:03,2,P1,5S,595S", "W,09:00:00,1/2,OFF"},
         {30, 30}},
        {"a stretch cut at midnight", {"W,23:59:58,1,P1,5S,595S", "W,00:00:03,1,OFF"}, {2 + 3, 0}},
        {"a timer no line sets: 1 s on, 30 s off", {"W,08:00:00,1,P3", "W,08:01:03,1,OFF"}, {3, 0}},
        {"pulsed, then steady", {"W,08:00:00,1,P1,5S,595S", "W,08:00:02,1,ON", "W,08:00:10,1,OFF"}, {10, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const DayTotals totals = totalsOf(compiled(c.lines));
        EXPECT_EQ((std::array{totals.valvesOpen[0], totals.valvesOpen[1]}), c.open);
    }
}

} // namespace
} // namespace fh
