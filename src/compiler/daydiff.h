#pragma once

// What two programs do differently in the greenhouse, second by second: the items
// of their days (lights, valves, pulse timers, set-points) where they read apart,
// the lines one holds and the other does not, and the daily totals that change.
// Each day is read from the lines that pass the check, as `state` reads it.

#include "compiler/day.h"
#include "compiler/display.h"
#include "compiler/program.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fh {

class MessageBox;

// The items of a day in the order differences list them: lights 1..6, valves 1..6,
// timers 1..6, low, high.
inline constexpr int dayItemCount = 3 * outputCount + 2;

// "light 1" … "valve 6", "timer 1" … "timer 6", "low", "high".
std::string dayItemName(int item);
// low and high read as numbers; the others as words.
bool dayItemIsNumber(int item);
// Whether `item` is in the same state in both: equal states read alike (a timer's
// phase does not show); states that differ may still read alike.
bool sameDayItem(const DayState& x, const DayState& y, int item);

// How `item` reads in `state`: "on"/"off", a valve's "P1", a timer's "5/595" (on
// and off seconds; "1/30" when no line sets it), a set-point's number.
std::string dayItemValue(const DayState& state, int item, const Display& display);

// One item reading `a` in the first program and `b` in the second throughout the
// seconds from..to-1 (to is at most one day), and not so the second before or after.
struct DayDifference {
    // The day of the comparison, 1 on; 0 when it compares one day.
    int day = 0;
    int from = 0;
    int to = 0;
    int item = 0;
    std::string a, b;
    friend bool operator==(const DayDifference&, const DayDifference&) = default;
};

struct DayComparison {
    // How many days each program's cycle has, and the days compared: the least
    // number of days after which both repeat.
    std::size_t daysA = 1, daysB = 1, days = 1;
    // By day, by start, then by item; a stretch over midnight is two.
    std::vector<DayDifference> differences;
    // The lines of either program the other does not hold, in list order.
    std::vector<std::string> onlyA, onlyB;
    // Each daily total line that changed, as the first and the second program have it
    // ("day K: " before each when more than one day is compared).
    std::vector<std::pair<std::string, std::string>> totals;
    bool same() const { return differences.empty(); }
};

// The lines of `a` that `b` does not hold, and those of `b` that `a` does not, each
// line counted as often as it is filed, whatever its list, and the earliest copies
// matched first; lines of nothing but spaces are left out.
std::pair<std::vector<std::string>, std::vector<std::string>> linesOnlyIn(const CommandLists& a,
                                                                         const CommandLists& b);

// The whole comparison of two programs, compiled from `listsA` and `listsB`.
DayComparison compareDays(const Program& a, const CommandLists& listsA, const Program& b, const CommandLists& listsB,
                          const Display& display);

// "HH:MM:SS" of a difference's end, which may be the day's end, "24:00:00".
std::string dayEnd(int second, const Display& display);

// A difference as a line of UTF-8: "12:00:00–18:00:00  valve 3   on → P1", the item
// padded to 8 characters, "day 2  " before it on a comparison of more than one day.
// Paper that takes Latin-1 only is given its own dash and arrow.
std::string differenceLine(const DayDifference& difference, const Display& display,
                           std::string_view dash = "\u2013", std::string_view arrow = "\u2192");

} // namespace fh
