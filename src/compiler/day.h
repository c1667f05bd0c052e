#pragma once

// The program's days as the controller runs them, second by second: what is on at
// 14:30, and how long each lamp and valve runs. The controller waits for one line at
// a time, in the order of the compiled code, and applies it in its second (24:MM:SS
// at 00:MM:SS); a line whose second has passed that day (a second line of the same
// second, a line at hour 24 behind later ones) waits for the next day, and so does
// every line after it. So a program repeats every N days: its cycle. The days are
// read from the lines that pass the check (`checkedLines`).

#include "compiler/program.h"
#include "compiler/rowrule.h"
#include "platform/devices.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fh {

struct DayState {
    std::array<bool, outputCount> lights{};
    // An output state: off, on, or pulsed by a timer.
    std::array<double, outputCount> valves{};
    double low = startLow;
    double high = startHigh;
    // Timer N at N-1; none when no line sets it.
    std::array<std::optional<TimerTimes>, timerCount> timers{};
    // Whether any line sets the light, the valve, the set-points: the others hold the
    // values above for want of a line.
    std::array<bool, outputCount> lightSet{};
    std::array<bool, outputCount> valveSet{};
    bool setPointsSet = false;
};

struct DayTotals {
    // Whole seconds of the day.
    std::array<int, outputCount> lightsOn{};
    std::array<int, outputCount> valvesOn{};
    std::array<int, outputCount> valvesPulsed{};
    // The seconds water runs: on, plus the on phases of the pulsed seconds (see
    // pulsedOpenSeconds), each stretch pulsed by one timer with the same times
    // counted from an on phase, a stretch over midnight as one. The controller's
    // pulses may fall at other seconds.
    std::array<int, outputCount> valvesOpen{};
    // Over the set-points in force for at least a second.
    double lowMin = startLow, lowMax = startLow;
    double highMin = startHigh, highMax = startHigh;
    // The longest stretch with all six light relays off that the day holds, a stretch
    // over midnight counted whole, from its first dark second to its first lit one:
    // seconds of the day. A day with no lit second is dark for the day, from nowhere.
    struct Dark {
        int seconds = secondsPerDay;
        std::optional<int> from, to;
        friend bool operator==(const Dark&, const Dark&) = default;
    } longestDark;
};

// The lines of `lists` that pass the check, in their lists: the program the day is
// read from.
CommandLists checkedLines(const CommandLists& lists);
// The program whose day `lists` give: its checked lines compiled. None, said through
// `messages`, when they are refused.
std::optional<Program> dayProgram(const CommandLists& lists, MessageBox& messages);

// The second of the day a line's time names, 24:MM:SS as 00:MM:SS; none when the
// time is not hh:mm:ss with hours 00..24, minutes and seconds 00..59.
std::optional<int> secondOfDay(std::string_view time);
std::optional<int> secondOfDay(const Cell& time);

// One line of the compiled program applied at a second of a day.
struct Act {
    int second = 0;
    int line = 0;
};

// The states one day of the cycle passes through, read once for many seconds (the
// chart window's readout follows the mouse with it).
class DayStates {
public:
    DayStates() = default;
    // The state at `second` (0..86399), after the line of that second has acted.
    const DayState& at(int second) const;
    // The seconds at which lines act, in order.
    std::vector<int> changes() const;
    // The lines that act, in order.
    std::vector<Act> acts() const;
    // The line the controller waits for once `second` has been handled; -1 without lines.
    int pendingAfter(int second) const;

private:
    friend class Cycle;
    friend DayTotals totalsOf(const DayStates& day);
    struct After {
        Act act;
        int pending = -1;
        DayState state;
    };
    DayState start;
    int startPending = -1;
    // How long each valve's pulsing at 00:00:00 has gone on, from the days before.
    std::array<int, outputCount> carried{};
    // How long every light has been off as the day begins, and stays off after it
    // ends, over the days before and after in the cycle.
    int darkBefore = 0;
    int darkAfter = 0;
    std::vector<After> after;
};

// The days the controller runs a program through before it repeats itself. Day 1 is
// the day at whose 00:00:00 the first line of the code is pending (or, when the
// controller never comes back to that, the first day it repeats from), and it starts
// in the state the last day ends in. The simulation's preset start is on day 1.
class Cycle {
public:
    explicit Cycle(const Program& program);
    // Day K at K-1; never empty.
    const std::vector<DayStates>& days() const { return days_; }

private:
    int stretchBefore(std::size_t day, std::size_t valve) const;

    std::vector<DayStates> days_;
};

// "day K of N": the heading of day K's block wherever a program's days are told apart.
std::string cycleDayHeading(std::size_t day, std::size_t days);

DayTotals totalsOf(const DayStates& day);

// The on seconds of `seconds` seconds pulsed by a timer of `times`, counted as the
// simulation's pulse timers run but starting with an on phase.
int pulsedOpenSeconds(const TimerTimes& times, int seconds);

} // namespace fh
