#pragma once

// The program's source: three lists of command lines, one per command letter, and
// the outputs and pulse timers the lines name.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

// T lines, L lines, W lines.
using CommandLists = std::array<std::vector<std::string>, 3>;

inline constexpr int outputCount = 6; // light relays, and water valves, 1..6
inline constexpr int timerCount = 6;  // pulse timers 1..6

// Index 0..2 of the list that holds lines of this command letter, or -1.
int listOf(std::string_view line);

} // namespace fh
