#pragma once

// The day of a program in forms other tools read: a table of its changes (CSV,
// RFC 4180), a calendar of the stretches its lights and valves run (iCalendar,
// RFC 5545) and a waveform of every output over the cycle (VCD, IEEE 1364). Each is
// UTF-8 text, from the cycle `DayReasons` reads.

#include "compiler/display.h"
#include "compiler/why.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

namespace fh {

// One row per change of an item's value over the cycle: time,item,from,to,line, and
// day when the cycle has more than one; CR LF after each row.
std::string dayCsv(const DayReasons& reasons, const Display& display);

// A row of comma-separated UTF-8 fields ended by CR LF: a field holding a comma, a
// quote or a line end is quoted, its quotes doubled. The commands' CSV is written by it.
std::string csvRow(const std::vector<std::string>& fields);

// One event per stretch a light or valve is on or pulsed, repeating every turn of the
// cycle from day 1 on `first`, in floating local time; a stretch that runs over the
// cycle's end starts the turn before, so `first` is whole. `stamp` is the DTSTAMP;
// the name of `file` (the program's), without its folder, makes the UIDs its own.
std::string dayCalendar(const DayReasons& reasons, const Display& display, std::chrono::year_month_day first,
                        std::chrono::sys_seconds stamp, std::string_view file);

// An iCalendar content line as written: folded so no line is longer than 75 octets,
// never inside a UTF-8 character, each part ended by CR LF and each continuation
// begun with a space.
std::string icsContentLine(std::string_view line);

// Each light and valve as a wire (a valve open or shut as the controller pulses it),
// each set-point as a real, second by second over one turn of the cycle.
std::string dayWaveform(const DayReasons& reasons, const Display& display);

} // namespace fh
