#include "language/celsius.h"

#include "language/decimal.h"
#include "language/terms.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace fh {

namespace {

std::int64_t powerOfTen(int places)
{
    std::int64_t p = 1;
    for (int i = 0; i < places; ++i)
        p *= 10;
    return p;
}

} // namespace

std::int64_t roundHalfAway(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t size = numerator < 0 ? -numerator : numerator;
    const std::int64_t rounded = (2 * size + denominator) / (2 * denominator);
    return numerator < 0 ? -rounded : rounded;
}

std::string tenthsText(std::int64_t tenths, bool bare)
{
    const std::int64_t size = tenths < 0 ? -tenths : tenths;
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(size / 10);
    if (!bare || size % 10 != 0)
        text.append(".").append(std::to_string(size % 10));
    return text;
}

std::string celsiusText(double fahrenheit)
{
    // plainNumber writes the shortest decimal that reads back as the same double:
    // the value the user typed.
    if (const auto f = readDecimal(plainNumber(fahrenheit))) {
        const std::int64_t unit = powerOfTen(f->places);
        return tenthsText(roundHalfAway((f->scaled - 32 * unit) * 50, 9 * unit), false);
    }
    // Beyond fifteen digits a tenth is lost in the binary value anyway.
    char digits[400];
    const double celsius = std::round((fahrenheit - 32) * 50 / 9) / 10;
    const auto end = std::to_chars(digits, digits + sizeof digits, celsius == 0 ? 0.0 : celsius,
                                   std::chars_format::fixed, 1).ptr;
    return std::string(digits, end);
}

std::optional<std::string> fahrenheitText(std::string_view celsius)
{
    const auto c = readDecimal(celsius);
    if (!c)
        return std::nullopt;
    const std::int64_t unit = powerOfTen(c->places);
    return tenthsText(roundHalfAway(c->scaled * 18 + 320 * unit, unit), true);
}

CelsiusReading readCelsius(std::string_view line)
{
    CelsiusReading read{std::string(line), {}};
    std::vector<std::string> terms = split(line, ',');
    if (terms.size() < 4 || upper(trim(terms[0])) != "T")
        return read;
    for (std::size_t i = 2; i <= 3; ++i) {
        std::string number = without(terms[i], " ");
        if (number.empty() || (number.back() != 'C' && number.back() != 'c'))
            continue;
        number.pop_back();
        if (!number.empty() && number.back() == degreeSign)
            number.pop_back();
        if (const auto fahrenheit = fahrenheitText(number)) {
            read.readings.push_back(number + " " + degreeSign + "C as " + *fahrenheit + " " + degreeSign + "F");
            terms[i] = *fahrenheit;
        }
    }
    if (!read.readings.empty())
        read.line = join(terms, ',');
    return read;
}

std::string writeCelsius(std::string_view line)
{
    std::vector<std::string> terms = split(line, ',');
    if (terms.size() < 4 || upper(trim(terms[0])) != "T")
        return std::string(line);
    for (std::size_t i = 2; i <= 3; ++i) {
        std::string celsius = celsiusText(leadingValue(terms[i]));
        if (celsius.ends_with(".0"))
            celsius.resize(celsius.size() - 2);
        terms[i] = celsius + "C";
    }
    return join(terms, ',');
}

} // namespace fh
