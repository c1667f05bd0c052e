#pragma once

// Lines written from a grower's words: water valve 3 for 15 minutes at 07:00 and 15:00;
// mist 5 seconds every 10 minutes from 08:00 to 18:00; lights from 05:00 to 21:00; the
// set-points from 65/73 to 72/80 over two hours in four steps. Each kind takes named
// fields as texts (the options of `fernhollow lines`, the boxes of Add Lines) and gives
// its lines in filed form, in order of the day, or the reason it cannot. Then the
// lines join a program's lists, as Enter files them, unless they would overfill it or
// share a second with a line there.

#include "checks/lint.h"
#include "compiler/display.h"
#include "language/commandlists.h"
#include "platform/zones.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

enum class LineKind { Water, Mist, Lights, Ramp, SetPoints, Sun };

struct LineField {
    std::string_view name;    // as an option, without its dashes: "valves"
    std::string_view label;   // as a box is captioned: "Valves"
    std::string_view example; // "1/2"
    std::string_view wants;   // "valve numbers 1 to 6, joined by /"
    // Lights take an end time or a duration: neither field is required alone.
    bool required = true;
    // A field in degrees (the ramp's set-points and gap) is read on the Display's
    // scale; this is its example in °C. Empty for every other field.
    std::string_view celsiusExample = {};
};

struct LineKindInfo {
    LineKind kind;
    std::string_view name; // "water"
    std::vector<LineField> fields;
    // As Add Lines offers it, where that is not the name capitalised.
    std::string_view caption = {};
};

// The kinds, in the order they are offered.
const std::vector<LineKindInfo>& lineKinds();
const LineKindInfo* lineKindNamed(std::string_view name);

// Field name to its text; a field not given reads as empty.
using LineWords = std::map<std::string, std::string, std::less<>>;

struct WrittenLines {
    std::vector<std::string> lines; // in filed form, in order of the day
    std::string refusal;            // why none could be written; empty when they were
    // Lines by the sun: how long their times stay within the tolerance of the sun's,
    // "within 5 min of the sun until 2027-04-02".
    std::string note;
};

// Times read as a command line's time term, hours 0 to 24, and are written
// 00:00:00 to 23:59:59 (past midnight they wrap). Durations are a number and one unit
// H, M or S, a whole number of seconds from 1 to under 24 hours. A request whose own
// lines would share a second is refused. The ramp's degrees are read in °C when
// `display` shows °C, and written in °F.
// Lines by the sun take their times from the sun on a date at a place, in its zone's
// civil time (`zones`): an event sunrise, sunset, dawn or dusk, with an offset
// (sunrise-30m) or alone, or a time of day; each to the whole minute, halves up. They
// are lights or valves from and to, or set-points at; the note says the last day,
// searched over a year, on which every line that follows the sun is still within the
// tolerance (`within`, 5 minutes unless given) of the sun's time that day.
WrittenLines writeLines(LineKind kind, const LineWords& words, const Display& display, const Zones& zones);

// Why `lines` cannot join `lists`: the program would hold more lines than it can, or
// a new line would act in the second of a line there. None when they can.
std::optional<std::string> additionRefusal(const CommandLists& lists, const std::vector<std::string>& lines);
// `lists` with each line filed at the end of the list of its letter.
CommandLists withLines(CommandLists lists, const std::vector<std::string>& lines);
// The program checks' findings on `lists` with `lines` that `lists` alone do not
// have; their places are those in the joined lists.
std::vector<Finding> findingsOfAddition(const CommandLists& lists, const std::vector<std::string>& lines,
                                        const Display& display);

} // namespace fh
