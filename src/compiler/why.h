#pragma once

// Why each item of the greenhouse is as it is at a second of the controller's cycle:
// the line behind its value, since when it holds, what changes it next, and where a
// pulse timer stands, as a controller switched on at 00:00:00 of day 1 with the
// program's state (`simulate --preset`) runs it. Its timers count from that second;
// the first second shows every timer off, and a valve a line pulses follows its timer
// from the second after, as the simulation has it.

#include "compiler/day.h"
#include "compiler/daydiff.h"
#include "compiler/display.h"
#include "compiler/program.h"
#include "platform/devices.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

// A line of the compiled program where it is filed: its list (0 T, 1 L, 2 W), its
// number there from 1, failing lines counted, and its text (Latin-1).
struct FiledLine {
    std::size_t list = 0;
    std::size_t number = 0;
    std::string text;
};

// "temperature", "lights", "water".
std::string_view listName(std::size_t list);
// "W,08:00:00,1/2,OFF (water line 6)", Latin-1.
std::string filedLineText(const FiledLine& line);

// "by W,08:00:00,1/2,OFF (water line 6)", Latin-1.
std::string byLineText(const FiledLine& line);

// A second of the cycle: its day, from 0, and its second of that day.
struct CycleSecond {
    std::size_t day = 0;
    int second = 0;
    friend bool operator==(const CycleSecond&, const CycleSecond&) = default;
};

// A pulse timer's phase at a second.
struct PulsePhase {
    bool on = false;
    // The seconds it keeps this phase, this one counted; none when it never leaves it.
    std::optional<long long> left;
    friend bool operator==(const PulsePhase&, const PulsePhase&) = default;
};

// A change of an item's value: when, the value it takes, the compiled line that makes it.
struct ItemChange {
    CycleSecond at;
    std::string value;
    int line = -1;
};

struct Reason {
    int item = 0;
    // As `diff` writes it (dayItemValue).
    std::string value;
    // The compiled line that set it: the last to act at or before the second, going
    // back over midnight and the days of the cycle, whose row names the item; -1
    // when no line that acts names it (the item holds its start value).
    int line = -1;
    // When the value began; none when it holds all through the cycle.
    std::optional<CycleSecond> since;
    // The next change; none when there is none.
    std::optional<ItemChange> next;
    // The timer of a pulsed valve, or of a timer item.
    std::optional<PulsePhase> pulse;
};

// One change of the cycle as the CSV lists it.
struct DayChange {
    CycleSecond at;
    int item = 0;
    std::string from, to;
    int line = -1;
};

// A stretch of the cycle in which a light or valve is on, or pulsed by one timer with
// the same times; one over the end of the cycle is one stretch.
struct OnStretch {
    int item = 0;
    long long start = 0;  // the second of the cycle it begins, 0 .. cycle - 1
    long long length = 0; // seconds; the whole cycle for one that never ends
    std::string value;    // "on", "P1"
    std::optional<TimerTimes> times; // of a pulsed valve's timer
    int line = -1;        // the line that began it (for one all through the cycle, the one behind it)
};

// The cycle of a program read for many questions: built once, asked at any second.
class DayReasons {
public:
    // `program` is compiled from `filed` or from the lines of it that pass the check
    // (`dayProgram`); each compiled line is traced to its place in `filed`.
    DayReasons(const Program& program, const CommandLists& filed);
    DayReasons(const DayReasons&) = delete;
    DayReasons& operator=(const DayReasons&) = delete;
    DayReasons(DayReasons&&) = default;
    DayReasons& operator=(DayReasons&&) = default;

    const Cycle& cycle() const { return cycle_; }
    std::size_t days() const { return cycle_.days().size(); }
    // The seconds of one turn of the cycle.
    long long cycleSeconds() const { return static_cast<long long>(days()) * secondsPerDay; }
    const FiledLine& filed(int line) const;

    // Item 0..dayItemCount-1 at `second` (0..86399) of day `day` (from 0, below days()).
    Reason why(std::size_t day, int second, int item, const Display& display) const;

    // Every change of an item's value over one turn of the cycle, by time, then item.
    std::vector<DayChange> changes(const Display& display) const;
    // The stretches each light and valve is on or pulsed, by item, then start.
    std::vector<OnStretch> onStretches(const Display& display) const;

    // Second `tick` of the controller's run (0 at 00:00:00 of day 1, within the first
    // turn of the cycle or after): the phase of timer 0..5 and whether valve 0..5 is open.
    PulsePhase timerPhase(std::size_t timer, long long tick) const;
    bool valveOpen(std::size_t valve, long long tick) const;

private:
    struct Step {
        CycleSecond at;
        int line = 0;
        const DayState* before = nullptr;
        const DayState* after = nullptr;
    };
    // The step of the last line to act at or before the second; -1 before the first.
    long long stepAt(std::size_t day, int second) const;
    const DayState& stateBefore(long long tick) const;
    bool timerOnAt(std::size_t timer, long long tick) const;
    TimerTimes timesAt(std::size_t timer, long long tick) const;
    long long nextTimesChange(std::size_t timer, long long tick) const;
    bool changes(const Step& step, int item, const Display& display) const;

    Cycle cycle_;
    std::vector<Step> steps_;
    std::vector<std::size_t> dayBegin_; // each day's first step
    std::vector<std::array<bool, dayItemCount>> names_; // by compiled line
    // By item, in order: the steps whose line names it, and those that change its state
    // (its value as shown may still read the same).
    std::array<std::vector<std::size_t>, dayItemCount> naming_, moving_;
    std::vector<FiledLine> filed_;                             // by compiled line
    // Where each timer's times change in the cycle: the seconds after the lines that change them.
    std::array<std::vector<long long>, timerCount> timerChanges_;
};

// The line behind a reason's value, "by W,08:00:00,1/2,P1,5S,595S (water line 3)", or
// for an item no line sets "not set by the program: starts off"; Latin-1.
std::string reasonText(const DayReasons& reasons, const Reason& reason);
// The item and the line behind its value, as the windows show it: "light 1  by …".
std::string itemReasonText(const DayReasons& reasons, const Reason& reason);

// The item named by `name`: "light 1" … "valve 6", "timer 1" … "timer 6", "low",
// "high", the space optional ("valve1"), in any case; none for another.
std::optional<int> dayItemNamed(std::string_view name);

} // namespace fh
