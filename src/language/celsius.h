#pragma once

// Temperatures in °C beside the program's °F. The program always holds °F; these
// convert for reading and for typing, in exact decimals, so that 26 °C is 78.8 °F and
// never 78.80000000000001. Texts are Latin-1, like the lines: ° is the byte 0xB0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

inline constexpr char degreeSign = '\xB0';

// °F as °C to a tenth, halves away from zero, always with the tenth: "21.1", "0.0".
std::string celsiusText(double fahrenheit);

// A typed number of °C (optional sign, digits with at most one point, 15 digits at
// most) as °F to a tenth, halves away from zero, without a trailing ".0": "68",
// "78.8". None for any other text.
std::optional<std::string> fahrenheitText(std::string_view celsius);

// numerator / denominator to the nearest whole number, halves away from zero; the
// denominator is positive.
std::int64_t roundHalfAway(std::int64_t numerator, std::int64_t denominator);
// Tenths as text: "-1.1", "21.0"; a whole number loses its ".0" when `bare`: "72".
std::string tenthsText(std::int64_t tenths, bool bare);

struct CelsiusReading {
    std::string line;
    // How each converted term was read: "20 °C as 68 °F".
    std::vector<std::string> readings;
};

// A typed line with each set-point term of a T line that is a number followed by C
// (either case, spaces and a ° allowed: "20C", "20 c", "20°C") written in °F. Every
// other line and term is left as typed.
CelsiusReading readCelsius(std::string_view line);

// A filed line as one types it in °C: a T line's set-points in °C to a tenth with
// their unit, the tenth left off when whole ("20C", "18.5C"). readCelsius reads it
// back as filed when the set-points were typed in °C to a tenth.
std::string writeCelsius(std::string_view line);

} // namespace fh
