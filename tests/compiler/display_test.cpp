#include "compiler/display.h"
#include "language/datcheck.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

// Today's one setting reads every value as the program and its outputs always have.
TEST(Display, FahrenheitReadsValuesAsTheProgramHoldsThem)
{
    const Display display;
    const struct { double fahrenheit; const char *setPoint, *degrees; } temperatures[] = {
        {70, "70", "70F"},
        {72.5, "72.5", "72.5F"},
        {-0.0, "0", "0F"},
        // Never in exponent form: not "1e+20", not "1e-05".
        {1e20, "100000000000000000000", "100000000000000000000F"},
        {1e-5, "0.00001", "0.00001F"},
    };
    for (const auto& t : temperatures) {
        EXPECT_EQ(display.setPoint(t.fahrenheit), t.setPoint) << t.fahrenheit;
        EXPECT_EQ(display.degrees(t.fahrenheit), t.degrees) << t.fahrenheit;
    }

    const struct { int seconds; const char *duration, *hours; } durations[] = {
        {0, "0 h 00 min", "0"},
        {59, "0 h 00 min", "0"},
        {7 * 3600 + 5 * 60 + 59, "7 h 05 min", "7.1"},
        {12 * 3600 + 30 * 60, "12 h 30 min", "12.5"},
        {86400, "24 h 00 min", "24"},
    };
    for (const auto& d : durations) {
        EXPECT_EQ(display.duration(d.seconds), d.duration) << d.seconds;
        EXPECT_EQ(display.hours(d.seconds), d.hours) << d.seconds;
    }
}

// In °C a temperature reads to a tenth with its unit; the tenths are the Celsius test's.
TEST(Display, CelsiusReadsTemperaturesInCelsius)
{
    Display display;
    display.temperature = Display::Temperature::Celsius;
    EXPECT_EQ(display.setPoint(70), "21.1 \xB0" "C");
    EXPECT_EQ(display.setPointValue(70), "21.1");
    EXPECT_EQ(display.degrees(70), "21.1 \xB0" "C");
    EXPECT_EQ(Display().setPointValue(72.5), "72.5");
}

// Only a range of set-points changes with the display; it is said in °F all the same.
TEST(Display, GivesTheRangeOfSetPointsOfACheckMessageInItsUnits)
{
    const Display fahrenheit;
    Display celsius;
    celsius.temperature = Display::Temperature::Celsius;
    const struct { const Display& display; std::string_view message; std::string said; } rows[] = {
        {fahrenheit, msg::lowTemp, "low temp is out of range 32 to 110"},
        {fahrenheit, msg::highTemp, "high temp is out of range 32 to 110"},
        {celsius, msg::lowTemp, "low temp is out of range 0.0 \xB0" "C to 43.3 \xB0" "C"},
        {celsius, msg::highTemp, "high temp is out of range 0.0 \xB0" "C to 43.3 \xB0" "C"},
        {celsius, msg::tooClose, std::string(msg::tooClose)},
        {celsius, msg::timeRange, std::string(msg::timeRange)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.display.checkMessage(row.message), row.said) << row.message;
}

} // namespace
} // namespace fh
