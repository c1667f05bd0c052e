#pragma once

// Numbers read exactly, where a double would make 0.1 a little more or less.

#include <cstdint>
#include <optional>
#include <string_view>

namespace fh {

// At least one character, each a digit 0..9.
bool digitsOnly(std::string_view text);

// A decimal number as a whole number of 10^-places: 78.8 as {788, 1}.
struct Decimal {
    std::int64_t scaled = 0;
    int places = 0;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// An optional sign, then digits with at most one point and at least one digit. Leading
// zeros and zeros after the last other decimal are dropped; at most fifteen digits are
// left, which keeps its users' sums within 64 bits. None for any other text.
std::optional<Decimal> readDecimal(std::string_view text);

} // namespace fh
