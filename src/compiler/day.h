#pragma once

// The program's day as its lines leave it, second by second: what is on at 14:30,
// and how long each lamp and valve runs. The day is read from the lines that pass
// the check (`checkedLines`). Each line acts at its second of the day (24:MM:SS at
// 00:MM:SS), lines of one second in the order of the compiled program, and the day
// begins as the end of the day before leaves it. A line whose time is not hh:mm:ss
// is left out.

#include "compiler/program.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fh {

// The set-points before any temperature line has acted.
inline constexpr double defaultLow = 70;
inline constexpr double defaultHigh = 74;

// A pulse timer's times as a pulsed line sets them, in seconds.
struct TimerTimes {
    double on = 0, off = 0, phase = 0;
    friend bool operator==(const TimerTimes&, const TimerTimes&) = default;
};

struct DayState {
    std::array<bool, outputCount> lights{};
    // An output state: off, on, or pulsed by a timer.
    std::array<double, outputCount> valves{};
    double low = defaultLow;
    double high = defaultHigh;
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
    // counted from an on phase. The controller's pulses may fall at other seconds.
    std::array<int, outputCount> valvesOpen{};
    // Over the set-points in force for at least a second.
    double lowMin = defaultLow, lowMax = defaultLow;
    double highMin = defaultHigh, highMax = defaultHigh;
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

// The states the day passes through, read once for many seconds of one program (the
// chart window's readout follows the mouse with it).
class DayStates {
public:
    explicit DayStates(const Program& program);
    DayStates() = default;
    // The state at `second` (0..86399), after the lines of that second have acted.
    const DayState& at(int second) const;
    // The seconds at which lines act, in order.
    std::vector<int> changes() const;

private:
    DayState start;
    // The state after the last line of each second that has lines, by second.
    std::vector<std::pair<int, DayState>> after;
};

DayState stateAt(const Program& program, int second);

DayTotals totalsOf(const Program& program);

// The on seconds of `seconds` seconds pulsed by a timer of `times`, counted as the
// simulation's pulse timers run but starting with an on phase.
int pulsedOpenSeconds(const TimerTimes& times, int seconds);

// A timer no line sets pulses 1 s on, 30 s off.
inline constexpr TimerTimes unsetTimer{1, 30, 0};

} // namespace fh
