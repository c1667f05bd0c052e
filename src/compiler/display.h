#pragma once

// How values read on the screen and on paper: set-points, times of the day, valve
// states and how long an output runs. Every caption, label and message that shows
// such a value asks the Display it is handed, so a preference changes only here.
// The program itself always holds °F.

#include "language/celsius.h"

#include <string>
#include <string_view>

namespace fh {

struct Display {
    // In °C a temperature reads to a tenth with its unit (Latin-1 °): "21.1 °C".
    enum class Temperature { Fahrenheit, Celsius };
    Temperature temperature = Temperature::Fahrenheit;

    // A set-point as a bare number: "70", "72.5"; in °C "21.1 °C".
    std::string setPoint(double fahrenheit) const;
    // A set-point with its unit, as a message says it: "40 °F", "4.4 °C", the degree
    // sign in Latin-1 like the rest of the checks' messages.
    std::string withUnit(double fahrenheit) const;
    // A set-point as a number alone, for JSON: "70", "21.1".
    std::string setPointValue(double fahrenheit) const;
    // A temperature with its unit, as the chart's scale labels it: "70F", "21.1 °C".
    std::string degrees(double fahrenheit) const;
    // A second of the day: "14:30:00".
    std::string time(int secondOfDay) const;
    // A valve's state: "off", "on" or "P1".."P6".
    std::string valveState(double state) const;
    // Seconds in hours and minutes, the minutes cut: "7 h 05 min".
    std::string duration(int seconds) const;
    // Seconds in hours, to a tenth: "12.5".
    std::string hours(int seconds) const;

    // The line check's message as a grower reading this display takes it: in °C a
    // range of set-points is given in °C, with units (Latin-1 °).
    std::string checkMessage(std::string_view message) const;

    // A typed line as the program takes it: in °C its °C set-points are written in °F
    // (see readCelsius), with how each was read; otherwise as typed.
    CelsiusReading typed(std::string_view line) const;
    // A filed line as one types it here, which typed() reads back: in °C its
    // set-points in °C with their unit (see writeCelsius); otherwise as filed.
    std::string asTyped(std::string_view filed) const;

    friend bool operator==(const Display&, const Display&) = default;
};

} // namespace fh
