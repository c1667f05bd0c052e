#include "compiler/display.h"

#include "compiler/program.h"
#include "language/datcheck.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <cmath>

namespace fh {

namespace {
std::string celsiusWithUnit(double fahrenheit) { return celsiusText(fahrenheit) + " " + degreeSign + "C"; }
} // namespace

std::string Display::withUnit(double fahrenheit) const
{
    return temperature == Temperature::Celsius ? celsiusWithUnit(fahrenheit) : plainNumber(fahrenheit) + " " + degreeSign + "F";
}

std::string Display::checkMessage(std::string_view message) const
{
    const bool range = message == msg::lowTemp || message == msg::highTemp;
    if (temperature != Temperature::Celsius || !range)
        return std::string(message);
    return std::string(message == msg::lowTemp ? "low" : "high") + " temp is out of range " +
           withUnit(lowestSetPoint) + " to " + withUnit(highestSetPoint);
}

std::string Display::setPoint(double fahrenheit) const
{
    return temperature == Temperature::Celsius ? celsiusWithUnit(fahrenheit) : plainNumber(fahrenheit);
}

std::string Display::setPointValue(double fahrenheit) const
{
    return temperature == Temperature::Celsius ? celsiusText(fahrenheit) : plainNumber(fahrenheit);
}

std::string Display::degrees(double fahrenheit) const
{
    return temperature == Temperature::Celsius ? celsiusWithUnit(fahrenheit) : plainNumber(fahrenheit) + "F";
}

CelsiusReading Display::typed(std::string_view line) const
{
    return temperature == Temperature::Celsius ? readCelsius(line) : CelsiusReading{std::string(line), {}};
}

std::string Display::asTyped(std::string_view filed) const
{
    return temperature == Temperature::Celsius ? writeCelsius(filed) : std::string(filed);
}

std::string Display::time(int secondOfDay) const { return formatTime(secondOfDay); }

std::string Display::valveState(double state) const
{
    if (!OutputState::isPulsed(state))
        return state == OutputState::on ? "on" : "off";
    return std::string("P").append(plainNumber(OutputState::timerOf(state)));
}

std::string Display::duration(int seconds) const
{
    const int minutes = seconds / 60;
    const std::string m = std::to_string(minutes % 60);
    return std::to_string(minutes / 60) + " h " + std::string(2 - std::min<std::size_t>(m.size(), 2), '0') + m +
           " min";
}

std::string Display::hours(int seconds) const { return plainNumber(std::round(seconds / 360.0) / 10); }

} // namespace fh
