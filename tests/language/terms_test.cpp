#include "language/decimal.h"
#include "language/terms.h"

#include <gtest/gtest.h>

#include <limits>

namespace fh {
namespace {

TEST(Terms, LeadingValueReadsTheNumberTheTextBeginsWith)
{
    const struct { const char* text; double value; } rows[] = {
        {"70F", 70},     {"", 0},          {"  -  5", -5},  {"7 0", 70},   {"1.2.3", 1.2},
        {".5", 0.5},     {"5.", 5},        {"--5", 0},      {"E5", 0},     {"1E3", 1000},
        {"1E+2X", 100},  {"1E-1", 0.1},    {"1E", 1},       {"1E+", 1},    {"&H10", 0},
        {"+3S", 3},      {"-", 0},         {".", 0},        {"0.5S", 0.5}, {"12:30", 12},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(leadingValue(row.text), row.value) << '"' << row.text << '"';
    // Saturated instead of overflowing.
    EXPECT_EQ(leadingValue("1E999"), std::numeric_limits<double>::max());
    EXPECT_EQ(leadingValue("-1E999"), -std::numeric_limits<double>::max());
}

TEST(Terms, NumericTextRule)
{
    for (const char* good : {"1", " 1 ", "+1", "-1.5", ".5", "5.", "1E5", "1e-5", "007"})
        EXPECT_TRUE(isNumeric(good)) << '"' << good << '"';
    for (const char* bad : {"", "   ", "1 0", "1.2.3", "1E", "E1", "+", "1,000", "$1", "&H10", "0X1", "1-"})
        EXPECT_FALSE(isNumeric(bad)) << '"' << bad << '"';
}

// Two digits round a fraction below a half down; roundHalfEven is bounded.
TEST(Terms, Rounding)
{
    EXPECT_EQ(twoDigit(59.4), "59");
    EXPECT_EQ(roundHalfEven(2.5, 0, 100), 2);
    EXPECT_EQ(roundHalfEven(3.5, 0, 100), 4);
    EXPECT_EQ(roundHalfEven(1e300, 0, 100), 100);
    EXPECT_EQ(roundHalfEven(-1e300, -5, 5), -5);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN(), -5, 5), 0);
}

// One reader of exact decimals for °C and °F and for the line writer's numbers.
TEST(Terms, DecimalsAreReadExactly)
{
    const struct { const char* text; std::optional<Decimal> read; } rows[] = {
        {"78.8", Decimal{788, 1}},  {"-0.5", Decimal{-5, 1}},   {"+20", Decimal{20, 0}},
        {".5", Decimal{5, 1}},      {"5.", Decimal{5, 0}},      {"20.500", Decimal{205, 1}},
        {"0001.10", Decimal{11, 1}}, {"123456789012345", Decimal{123456789012345, 0}},
        // Zeros that say nothing do not count towards the fifteen digits.
        {"0000000000000001", Decimal{1, 0}}, {"1.0000000000000000", Decimal{1, 0}},
        {"1234567890123456", std::nullopt}, {"0.1234567890123456", std::nullopt},
        {"", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt}, {"1.2.3", std::nullopt},
        {"1e3", std::nullopt}, {" 1", std::nullopt}, {"--1", std::nullopt}, {"1,5", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readDecimal(row.text), row.read) << '"' << row.text << '"';
}

// CR, LF and CR LF each end a line, wherever they fall among the bytes read eight at a
// time, and other bytes below 14 (tab, NUL) are no line end.
TEST(Terms, TextLinesEndAtEveryLineEnd)
{
    for (const std::string end : {"\n", "\r", "\r\n"})
        for (std::size_t length = 0; length <= 17; ++length) {
            const std::string line = std::string(length, 'a') + (length % 3 == 1 ? "\t" : "") +
                                     (length % 5 == 2 ? std::string(1, '\0') : "");
            const std::string text = line + end + line + end + "x" + line;
            const std::vector<std::string_view> lines = textLines(text);
            ASSERT_EQ(lines.size(), 3U) << length;
            EXPECT_EQ(lines[0], line);
            EXPECT_EQ(lines[1], line);
            EXPECT_EQ(lines[2], "x" + line);
        }
    EXPECT_EQ(textLines("a\n\r\nb\r\rc"), (std::vector<std::string_view>{"a", "", "b", "", "c"}));
}

} // namespace
} // namespace fh
