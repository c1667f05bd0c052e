#pragma once

// What a day of the program uses in the house: water by each valve's flow and power
// by each light relay's watts, beside the totals of the day. The rates are the
// user's (settings, or options of `fernhollow totals`); the program knows none.

#include "compiler/day.h"
#include "compiler/display.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fh {

// A rate per output, output N at N-1; none where the user gave none.
using Rates = std::array<std::optional<double>, outputCount>;

struct House {
    Rates flows; // litres a minute, per valve
    Rates watts; // per light relay
    Rates ppfd;  // per light relay, at the canopy: µmol of light a m² and a second
    friend bool operator==(const House&, const House&) = default;
};

// The largest rate taken: far beyond any greenhouse, and far from overflow.
inline constexpr double mostRate = 1e6;

// "1=2.5,3=10": outputs 1..6, each once, each with a rate from 0 to mostRate written
// as digits with at most one point. The empty text gives no rates; anything else
// that is not this form gives none at all.
std::optional<Rates> parseRates(std::string_view text);
// The rates as parseRates reads them.
std::string ratesText(const Rates& rates);

struct DayUse {
    std::array<std::optional<double>, outputCount> litres; // per valve
    std::array<std::optional<double>, outputCount> kwh;    // per light relay
    // The daily light integral in tenths of a mol a m², per light relay, and for the
    // house their sum; none where no PPFD is given.
    std::array<std::optional<std::int64_t>, outputCount> dliTenths;
    std::optional<std::int64_t> houseDliTenths;
};

DayUse useOf(const DayTotals& totals, const House& house);

// Litres to one decimal, kWh to two: "12.5", "6.40".
std::string litresText(double litres);
std::string kwhText(double kwh);
// A daily light integral in tenths, as "14.4".
std::string dliText(std::int64_t tenths);
// The longest dark period as the totals show it: "dark 8 h 00 min, 21:00-05:00",
// "dark all day" (Latin-1 like the rest of the lines).
std::string darkText(const DayTotals::Dark& dark, const Display& display);

// The totals of each day of the cycle of `lists` (their lines that pass the check),
// or why there is no day: the compiler's message, or that there is no program.
std::variant<std::vector<DayTotals>, std::string> cycleTotalsOf(const CommandLists& lists);

// The day's totals as `fernhollow totals` prints them and the Daily Totals window
// shows them: a line per light and valve, the set-points' ranges, the longest dark
// period, and, when any rate is given, the day's sums. Latin-1, like every text the Display writes.
std::vector<std::string> totalsLines(const DayTotals& totals, const House& house, const Display& display);

} // namespace fh
