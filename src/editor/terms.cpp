#include "editor/terms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace fh {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
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
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (isDigit(t[i]))
            ++digits;
        else if (t[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        if (i == expStart)
            return false;
    }
    return i == t.size();
}

double leadingValue(std::string_view text)
{
    std::string compact;
    if (text.find(' ') != std::string_view::npos) {
        compact.reserve(text.size());
        for (char c : text)
            if (c != ' ')
                compact += c;
        text = compact;
    }

    // Take the longest prefix that forms a number, then convert only that prefix.
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t start = i;
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
        return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expStart = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > expStart)
            end = j;
    }
    double value = 0;
    const auto r = std::from_chars(text.data() + start, text.data() + end, value);
    if (r.ec == std::errc::result_out_of_range) {
        // Rare: let strtod tell overflow (saturate) from underflow (zero).
        const std::string prefix(text.substr(start, end - start));
        value = std::min(std::strtod(prefix.c_str(), nullptr), std::numeric_limits<double>::max());
    }
    return negative ? -value : value;
}

namespace {

Decimal normalised(Decimal d)
{
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    const auto last = d.digits.find_last_not_of('0');
    d.exponent += static_cast<long long>(d.digits.size() - 1 - last);
    d.digits = d.digits.substr(first, last - first + 1);
    return d;
}

} // namespace

Decimal leadingDecimal(std::string_view text)
{
    constexpr long long exponentBound = 4096;
    Decimal out;
    std::size_t i = 0;
    auto skipSpaces = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    skipSpaces();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        out.negative = text[i] == '-';
        ++i;
    }
    bool point = false;
    long long fractionDigits = 0;
    for (;; ++i) {
        skipSpaces();
        if (i < text.size() && isDigit(text[i])) {
            out.digits += text[i];
            fractionDigits += point ? 1 : 0;
        } else if (i < text.size() && text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (out.digits.empty())
        return {};
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        const auto next = [&] {
            while (j < text.size() && text[j] == ' ')
                ++j;
        };
        next();
        const bool minus = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        for (next(); j < text.size() && isDigit(text[j]); ++j, next())
            exponent = std::min(exponent * 10 + (text[j] - '0'), exponentBound);
        exponent = minus ? -exponent : exponent;
    }
    out.exponent = exponent - fractionDigits;
    return normalised(std::move(out));
}

Decimal wholeDecimal(long long value)
{
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    return leadingDecimal((value < 0 ? "-" : "") + std::to_string(magnitude));
}

namespace {

int compareMagnitude(const Decimal& a, const Decimal& b)
{
    if (a.digits.empty() || b.digits.empty())
        return static_cast<int>(!a.digits.empty()) - static_cast<int>(!b.digits.empty());
    const long long topA = static_cast<long long>(a.digits.size()) + a.exponent;
    const long long topB = static_cast<long long>(b.digits.size()) + b.exponent;
    if (topA != topB)
        return topA < topB ? -1 : 1;
    const int c = a.digits.compare(b.digits);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// The digits of a magnitude, padded with zeros down to the power `low`.
std::string aligned(const Decimal& d, long long low)
{
    return d.digits + std::string(static_cast<std::size_t>(d.exponent - low), '0');
}

// Sum (or difference, when subtracting) of two aligned magnitudes, big >= small.
std::string combineDigits(const std::string& big, const std::string& small, bool subtracting)
{
    std::string out(big.size() + 1, '0');
    int carry = 0;
    for (std::size_t k = 0; k < out.size(); ++k) {
        const int x = k < big.size() ? big[big.size() - 1 - k] - '0' : 0;
        const int y = k < small.size() ? small[small.size() - 1 - k] - '0' : 0;
        int r = subtracting ? x - y - carry : x + y + carry;
        carry = subtracting ? (r < 0) : (r > 9);
        r += subtracting ? (r < 0 ? 10 : 0) : (r > 9 ? -10 : 0);
        out[out.size() - 1 - k] = static_cast<char>('0' + r);
    }
    return out;
}

} // namespace

int compare(const Decimal& a, const Decimal& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    const int m = compareMagnitude(a, b);
    return a.negative ? -m : m;
}

int compare(const Decimal& a, long long b) { return compare(a, wholeDecimal(b)); }

Decimal difference(const Decimal& a, const Decimal& b)
{
    Decimal minusB = b;
    minusB.negative = !b.digits.empty() && !b.negative;
    if (a.digits.empty())
        return minusB;
    if (b.digits.empty())
        return a;
    const long long low = std::min(a.exponent, b.exponent);
    const bool aBigger = compareMagnitude(a, minusB) >= 0;
    const Decimal& big = aBigger ? a : minusB;
    const Decimal& small = aBigger ? minusB : a;
    Decimal out;
    out.negative = big.negative;
    out.digits = combineDigits(aligned(big, low), aligned(small, low), a.negative != minusB.negative);
    out.exponent = low;
    return normalised(std::move(out));
}

bool isWhole(const Decimal& value) { return value.exponent >= 0 || value.digits.empty(); }

std::string twoDigit(const Decimal& value)
{
    const long long top = static_cast<long long>(value.digits.size()) + value.exponent;
    std::string whole = top <= 0 ? std::string("0")
                                 : value.exponent >= 0 ? aligned(value, 0)
                                                       : value.digits.substr(0, static_cast<std::size_t>(top));
    const char firstFraction = value.exponent >= 0 || top < 0 ? '0' : value.digits[static_cast<std::size_t>(top)];
    if (firstFraction >= '5')
        whole = combineDigits(whole, "1", false);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() < 2)
        whole.insert(0, 2 - whole.size(), '0');
    return value.negative && whole != "00" ? "-" + whole : whole;
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
