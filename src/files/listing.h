#pragma once

// The printed listing of the three command lists: a heading, the items indented by
// 12 spaces and the separators by 16, in the order of the program file. Page breaks
// follow a counter of items, not of printed lines: 50 on the first page, 51 after.

#include "language/commandlists.h"

#include <optional>
#include <string>

namespace fh {

class Printer;

inline constexpr double listingFontSize = 12;
inline constexpr int firstPageItems = 50;

// Prints the listing as a job named `jobName` and ends the document; returns the
// reason of a failure.
std::optional<std::string> printListing(const CommandLists& lists, Printer& printer, const std::string& jobName);

} // namespace fh
