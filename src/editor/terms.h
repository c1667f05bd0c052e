#pragma once

// Reading rules of the command language, shared by the line check, the compiler,
// the simulation and the chart. Only the space character counts as blank, and only
// the ASCII letters a-z change case.

#include <string>
#include <string_view>
#include <vector>

namespace fh {

std::string upper(std::string_view text);
std::string_view trim(std::string_view text);

// Splits at every separator; all pieces are kept, empty ones included. An empty
// text gives one empty piece, as the callers that need "no pieces" test for it.
std::vector<std::string> split(std::string_view text, char separator);
std::string join(const std::vector<std::string>& pieces, char separator);

// Trimmed text of an optional sign, digits with at most one decimal point and at
// least one digit, and an optional exponent (E, optional sign, digits).
bool isNumeric(std::string_view text);

// The number the text begins with, spaces anywhere skipped, 0 when it begins with
// none. Saturates at the largest finite double, so callers never see infinity.
double leadingValue(std::string_view text);

// A number exactly as written, so that a check against a limit is not misled by
// binary rounding (24.0000000000000000001 is above 24). Value: digits times ten to
// the exponent; no leading or trailing zeros in digits, and zero has none.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

// The leading value, exactly. Exponents are held within +-4096, far beyond any
// limit, which bounds the work on a text like 1E999999999.
Decimal leadingDecimal(std::string_view text);
Decimal wholeDecimal(long long value);
// Negative, zero or positive as a is below, equal to or above b.
int compare(const Decimal& a, const Decimal& b);
int compare(const Decimal& a, long long b);
Decimal difference(const Decimal& a, const Decimal& b);
bool isWhole(const Decimal& value);

// Rounds half away from zero and writes at least two digits ("07", "24"); for the
// values 0 to 59 of a time component.
std::string twoDigit(const Decimal& value);

// Nearest whole number, halves to the even neighbour, clamped to [lo, hi].
long long roundHalfEven(double value, long long lo, long long hi);

} // namespace fh
