#pragma once

// The program file: the three command lists in order, separated by lines "==",
// every line ended by CR LF, bytes kept as they are.

#include "language/commandlists.h"

#include <string>
#include <string_view>

namespace fh {

inline constexpr std::string_view separatorLine = "==";

// Far beyond any program; a larger file is refused rather than read.
inline constexpr std::size_t programFileLimit = 16 * 1024 * 1024;

// Lines after a third separator are dropped; a last line without a line end counts.
CommandLists readProgramFile(std::string_view bytes);

// Items that are empty or of spaces only are left out.
std::string writeProgramFile(const CommandLists& lists);

} // namespace fh
