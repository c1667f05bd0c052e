#pragma once

// Reading rules of the command language, shared by the line check, the compiler,
// the simulation and the chart. Only the space character counts as blank, and only
// the ASCII letters a-z change case.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

std::string upper(std::string_view text);
void toUpper(std::string& text);
std::string_view trim(std::string_view text);

// Splits at every separator; all pieces are kept, empty ones included. An empty
// text gives one empty piece, as the callers that need "no pieces" test for it.
std::vector<std::string> split(std::string_view text, char separator);
std::string join(const std::vector<std::string>& pieces, char separator);
// The lines of a text as files and pasted text hold them: CR, LF and CR LF each end
// one, and the last needs no end.
std::vector<std::string_view> textLines(std::string_view text);

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// `text` begins with / is `literal`, compared byte by byte: for the few bytes of a
// literal, cheaper than a call to memcmp.
template <std::size_t N>
constexpr bool startsWithLiteral(std::string_view text, const char (&literal)[N])
{
    if (text.size() < N - 1)
        return false;
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (text[i] != literal[i])
            return false;
    return true;
}
template <std::size_t N>
constexpr bool isLiteral(std::string_view text, const char (&literal)[N])
{
    return text.size() == N - 1 && startsWithLiteral(text, literal);
}

bool contains(std::string_view text, char c);
// The text with every one of `letters` taken out.
std::string without(std::string_view text, std::string_view letters);
// leadingValue(without(text, letter)), with no copy when the letter is only the
// first or the last character.
double leadingValueWithout(std::string_view text, char letter);

// Trimmed text of an optional sign, digits with at most one decimal point and at
// least one digit, and an optional exponent (E, optional sign, digits).
bool isNumeric(std::string_view text);

// How many characters the number `text` begins with takes (as isNumeric reads one);
// 0 when it begins with none.
std::size_t numberLength(std::string_view text);

// A time term that reads as it looks: at most three parts split at ':', each, trimmed,
// empty or of digits only. A part such as 8.30 or +8 is read as a number of whole hours.
bool plainTime(std::string_view term);

// The number the text begins with, spaces anywhere skipped, 0 when it begins with
// none. Saturates at the largest finite double, so callers never see infinity.
double leadingValue(std::string_view text);

// A number as a caption or label shows it: 78 as "78", a fraction only when there
// is one, and never an exponent (1E20 as "100000000000000000000").
std::string plainNumber(double value);
// Seconds as a pulse term in the largest unit that holds them whole: 5S, 595S, 10M, 2H.
std::string pulseTerm(double seconds);

// Rounds half away from zero and writes at least two digits ("07", "24").
std::string twoDigit(double value);

// Nearest whole number, halves to the even neighbour, clamped to [lo, hi].
long long roundHalfEven(double value, long long lo, long long hi);

} // namespace fh
