#include "language/celsius.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

TEST(Celsius, FahrenheitReadsInCelsiusToATenthHalvesAwayFromZero)
{
    const struct { double fahrenheit; const char* celsius; } rows[] = {
        {70, "21.1"},   {32, "0.0"},     {30, "-1.1"},  {212, "100.0"},  {-40, "-40.0"}, {78.8, "26.0"},
        // Exact halves: 0.05 and -0.05 away from zero, which binary arithmetic misses.
        {32.09, "0.1"}, {31.91, "-0.1"}, {32.08, "0.0"}, {110, "43.3"},
        // Too many digits for the exact sum: still to a tenth.
        {1e20, "55555555555555557376.0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(celsiusText(row.fahrenheit), row.celsius) << row.fahrenheit;
}

TEST(Celsius, TypedCelsiusReadsInFahrenheit)
{
    const struct { const char* celsius; std::optional<std::string> fahrenheit; } rows[] = {
        {"20", "68"},       {"26", "78.8"},     {"-40", "-40"},     {"+21.5", "70.7"}, {"0", "32"},
        {"21.", "69.8"},    {".5", "32.9"},     {"37.00", "98.6"},
        // Halves away from zero: 32.45 and -0.85.
        {"0.25", "32.5"},   {"-18.25", "-0.9"},
        // -0.04 rounds to nothing, written without a sign.
        {"-17.8", "0"},     {"999999999999999", "1800000000000030.2"},
        {"", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"1E2", std::nullopt},
        {"2..0", std::nullopt}, {"1.2.3", std::nullopt}, {"--5", std::nullopt}, {"5 ", std::nullopt},
        {"1000000000000000", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(fahrenheitText(row.celsius), row.fahrenheit) << '"' << row.celsius << '"';
}

TEST(Celsius, SetPointTermsOfATemperatureLineAreConverted)
{
    const struct { const char* typed; const char* line; std::vector<std::string> readings; } rows[] = {
        {"T,6,20C,26C", "T,6,68,78.8", {"20 \xB0" "C as 68 \xB0" "F", "26 \xB0" "C as 78.8 \xB0" "F"}},
        {"t, 6 , 20 c ,26\xB0" "C", "t, 6 ,68,78.8", {"20 \xB0" "C as 68 \xB0" "F", "26 \xB0" "C as 78.8 \xB0" "F"}},
        {"T,6,20,26 \xB0 C", "T,6,20,78.8", {"26 \xB0" "C as 78.8 \xB0" "F"}},
        {"T,6,20C,26C,more", "T,6,68,78.8,more", {"20 \xB0" "C as 68 \xB0" "F", "26 \xB0" "C as 78.8 \xB0" "F"}},
        // Not a number followed by C: left as typed, for the check to judge.
        {"T,6,1E1C,C", "T,6,1E1C,C", {}},
        {"T,6,20F,26", "T,6,20F,26", {}},
        {"T,6,20CC,26", "T,6,20CC,26", {}},
        {"T,20C,26C", "T,20C,26C", {}},
        {"L,6,1,20C", "L,6,1,20C", {}},
        {"W,6,20C,26C", "W,6,20C,26C", {}},
        {"", "", {}},
    };
    for (const auto& row : rows) {
        const CelsiusReading read = readCelsius(row.typed);
        EXPECT_EQ(read.line, row.line) << row.typed;
        EXPECT_EQ(read.readings, row.readings) << row.typed;
    }
}

} // namespace
} // namespace fh
