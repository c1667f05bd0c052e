#include "language/terms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <cstdlib>
#include <limits>

namespace fh {

namespace {

// The end of the number `text` begins with: an optional sign, digits with at most
// one decimal point and at least one digit, and an exponent (E, optional sign,
// digits) where digits follow the E. 0 when the text begins with no number.
std::size_t numberEnd(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            ++digits;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponent = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > exponent)
            i = j;
    }
    return i;
}

} // namespace

std::string upper(std::string_view text)
{
    std::string out(text);
    toUpper(out);
    return out;
}

void toUpper(std::string& text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool contains(std::string_view text, char c)
{
    return std::find(text.begin(), text.end(), c) != text.end(); // inline: the texts are short
}

std::string without(std::string_view text, std::string_view letters)
{
    std::string out;
    for (char c : text)
        if (!contains(letters, c))
            out += c;
    return out;
}

namespace {

// A byte of 1 in every place of a word: the lines are searched eight bytes at a time.
constexpr std::uint64_t everyByte = 0x0101010101010101;

// The first CR or LF from `pos` on, or the end. Eight bytes are passed over at once while
// none of them is below 14, as CR (13) and LF (10) are; then byte by byte.
std::size_t lineEnd(std::string_view text, std::size_t pos)
{
    constexpr std::uint64_t highs = everyByte * 0x80;
    for (std::uint64_t word = 0; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        if (((word - everyByte * 14) & ~word & highs) != 0)
            break;
    }
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
        ++pos;
    return pos;
}

// The LFs in `text`, eight bytes at a time: in `word ^ lf` an LF is a zero byte, and
// each zero byte, and only those, gets its high bit in `zeros`.
std::size_t lineFeeds(std::string_view text)
{
    constexpr std::uint64_t lows = everyByte * 0x7f, lf = everyByte * '\n';
    std::size_t count = 0, pos = 0;
    for (std::uint64_t word = 0; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        word ^= lf;
        const std::uint64_t zeros = ~(((word & lows) + lows) | word | lows);
        count += static_cast<std::size_t>((zeros >> 7) * everyByte >> 56); // the bytes' sum
    }
    return count + static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), '\n'));
}

} // namespace

std::vector<std::string_view> textLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    // Room for the lines that end in LF, counted many bytes at a time.
    lines.reserve(lineFeeds(text) + 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = lineEnd(text, pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? end + 2 : end + 1;
    }
    return lines;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string join(const std::vector<std::string>& pieces, char separator)
{
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

bool isNumeric(std::string_view text)
{
    const std::string_view t = trim(text);
    const std::size_t end = numberEnd(t);
    return end > 0 && end == t.size();
}

double leadingValueWithout(std::string_view text, char letter)
{
    const auto first = std::find(text.begin(), text.end(), letter);
    if (first == text.end())
        return leadingValue(text);
    if (std::find(first + 1, text.end(), letter) == text.end()) {
        if (first == text.begin())
            return leadingValue(text.substr(1));
        if (first + 1 == text.end())
            return leadingValue(text.substr(0, text.size() - 1));
    }
    return leadingValue(without(text, std::string_view(&letter, 1)));
}

std::size_t numberLength(std::string_view text) { return numberEnd(text); }

bool plainTime(std::string_view term)
{
    std::size_t parts = 0;
    for (const std::string& part : split(term, ':')) {
        const std::string_view t = trim(part);
        if (++parts > 3 || !std::all_of(t.begin(), t.end(), isDigit))
            return false;
    }
    return true;
}

namespace {

// Up to 15 plain digits are exact in a double: read without from_chars. None for any
// other text.
std::optional<double> plainDigits(std::string_view text)
{
    if (text.empty() || text.size() > 15 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    long long whole = 0;
    for (const char c : text)
        whole = whole * 10 + (c - '0');
    return static_cast<double>(whole);
}

} // namespace

double leadingValue(std::string_view text)
{
    // Most texts are a few plain digits (an output, a set-point): read them at once.
    if (const auto plain = plainDigits(text))
        return *plain;
    std::string compact;
    if (std::find(text.begin(), text.end(), ' ') != text.end()) { // inline: most texts are a few characters
        compact.reserve(text.size());
        for (char c : text)
            if (c != ' ')
                compact += c;
        text = compact;
    }
    const std::size_t end = numberEnd(text);
    if (end == 0)
        return 0.0;
    const bool negative = text[0] == '-';
    const std::size_t start = text[0] == '+' || text[0] == '-' ? 1 : 0;
    if (const auto plain = plainDigits(text.substr(start, end - start)))
        return negative ? -*plain : *plain;
    double value = 0;
    const auto r = std::from_chars(text.data() + start, text.data() + end, value);
    if (r.ec == std::errc::result_out_of_range) {
        // Rare: let strtod tell overflow (saturate) from underflow (zero).
        const std::string prefix(text.substr(start, end - start));
        value = std::min(std::strtod(prefix.c_str(), nullptr), std::numeric_limits<double>::max());
    }
    return negative ? -value : value;
}

std::string pulseTerm(double seconds)
{
    if (seconds > 0 && seconds < 1e15 && std::fmod(seconds, 3600) == 0)
        return plainNumber(seconds / 3600) + "H";
    if (seconds > 0 && seconds < 1e15 && std::fmod(seconds, 60) == 0)
        return plainNumber(seconds / 60) + "M";
    return plainNumber(seconds) + "S";
}

std::string plainNumber(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    // Never in exponent form: the largest double has 309 digits, the smallest
    // fraction some 330 places.
    char digits[400];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed).ptr;
    return std::string(digits, end);
}

std::string twoDigit(double value)
{
    const double rounded = std::round(value);
    const long long whole = std::fabs(rounded) < 1e15 ? static_cast<long long>(rounded) : 0;
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    return whole < 0 ? "-" + digits : digits;
}

long long roundHalfEven(double value, long long lo, long long hi)
{
    if (std::isnan(value))
        return lo < 0 && hi > 0 ? 0 : lo;
    if (value <= static_cast<double>(lo))
        return lo;
    if (value >= static_cast<double>(hi))
        return hi;
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace fh
