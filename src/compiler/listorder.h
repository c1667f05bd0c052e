#pragma once

// The command lists put in order of time, for reading and for the printed listing.
// The compiled program is sorted anyway; the lists keep the order of entry until
// sorted here.

#include "language/commandlists.h"

#include <optional>
#include <string>
#include <string_view>

namespace fh {

inline constexpr std::string_view notSorted =
    "Not sorted: these lines act at the same second, and their order in the program decides "
    "which one takes effect:";

// Orders each list by the second of the day its lines act at, 24:MM:SS as 00:MM:SS
// (a line at 24:30:00 stands first, where it fires). Lines of equal time keep their
// order; lines without a time of the form hh:mm:ss go last. While lines of the
// program, in any list, share a second, nothing is sorted and the message naming
// them is returned.
std::optional<std::string> sortByTime(CommandLists& lists);

} // namespace fh
