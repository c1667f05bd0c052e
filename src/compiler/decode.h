#pragma once

// Pasteable code read back into command lines. A line of code is the letter, the
// time, seven numbers (the six outputs, or a T line's set-points, then the W mode)
// and the three numbers of the pulse columns, which run together once one outgrows
// its six places. Each line is rebuilt as the entry box would file it, so compiling
// the rebuilt lines gives the code again, line for line; code that would not come
// back, to the blank, is unreadable, its first differing field named. What the code
// does not keep is chosen here:
//  - the outputs a line names are listed in ascending order, each once;
//  - terms after the fourth come back as plain numbers, no more than the code needs;
//  - a pulsed valve line gets its times in seconds (3S,600S), none when both are 0;
//  - a line naming no output comes back as OFF: its state is not in the code (a W
//    row's mode must then be the one of the W row before it, 0 before the first).

#include "language/commandlists.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fh {

inline constexpr std::string_view notCode = "not pasteable code: T, L or W, a time and ten numbers";
inline constexpr std::string_view notANumber = "not a number: ";
inline constexpr std::string_view setPointsOnly = "a T line has 0 for every output and the mode";
inline constexpr std::string_view notAState = "an output is -1, 0 or 1, or 11 to 16 for a pulsed valve";
inline constexpr std::string_view statesDiffer = "the outputs one line names share one state";
inline constexpr std::string_view modeDiffers = "the mode is not the state of the outputs the line names";
inline constexpr std::string_view modeNotKept =
    "a W line naming no valve keeps the mode of the W line before it (0 before the first)";
inline constexpr std::string_view notInOrder = "the line comes before the one above it in time";
inline constexpr std::string_view thirdPulseNumber = "a pulsed valve line has no third pulse number";
inline constexpr std::string_view notFiledTime = "the time is not hh:mm:ss";
// Said with the field: "field 10 (the pulse columns) compiles to other text: ...".
inline constexpr std::string_view compilesOtherwise = "compiles to other text";

// The first line of code that cannot be read, numbered from 1, and why.
struct Unreadable {
    std::size_t line;
    std::string reason;
};

struct DecodedCode {
    CommandLists lists; // the rebuilt lines, filed; nothing when a line is unreadable
    std::optional<Unreadable> unreadable;
};

// CR, LF and CR LF end a line; blank lines are passed over. A rebuilt line that fails
// the line check is unreadable with the check's message, and so is a 102nd line.
DecodedCode decode(std::string_view code);

} // namespace fh
