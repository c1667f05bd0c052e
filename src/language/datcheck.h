#pragma once

// The check of one typed command line. A line is split into terms at ",": term 1 the
// command letter (T, L or W), term 2 the time of day, then temperatures, output ids,
// a state or mode and, for pulsed water lines, the pulse-on and pulse-off times.
// Every check that fails records its message and most go on, so the message kept is
// the one of the last failing check. A line holding a line break is refused first:
// the program file could not keep it as one line. A good line comes back in its normalised form:
// upper-cased, with the time rebuilt as hh:mm:ss and every other term kept as typed.

#include <string>
#include <string_view>

namespace fh {

struct CheckResult {
    bool dataok = true;  // the line passed every check
    std::string errmsg; // message of the last failing check; empty for a good line
    std::string cmdline; // normalised line; empty for a bad line
};

CheckResult datcheck(std::string_view line);

// Files hold lines already filed, so the check first reads the common filed shapes
// directly. Such a line is good and filed as it stands; any other takes `fullCheck`.
bool alreadyFiled(std::string_view line);
CheckResult fullCheck(std::string_view line);

// The set-points a T line may give, in °F.
inline constexpr int lowestSetPoint = 32;
inline constexpr int highestSetPoint = 110;

namespace msg {
inline constexpr std::string_view missingData = "missing data";
inline constexpr std::string_view tlwOnly = "T,L, or W only";
inline constexpr std::string_view militaryTime = "format military hr:min:sec, no AM/PM";
inline constexpr std::string_view timeRange = "format time hr:min:sec";
inline constexpr std::string_view lowTemp = "low temp is out of range 32 to 110";
inline constexpr std::string_view highTemp = "high temp is out of range 32 to 110";
inline constexpr std::string_view tooClose = "high temp is too close to low temp (2 degrees F)";
inline constexpr std::string_view tooManyValves = "too many valves :-)";
inline constexpr std::string_view invalidValve = "invalid valve #";
inline constexpr std::string_view waterMode = "on, off. or (p)ulse";
inline constexpr std::string_view pulseFormat = "pulse format, P#";
inline constexpr std::string_view sixTimers = "only 6 timers, pick one!";
inline constexpr std::string_view tooManyValveTerms = "too many valve terms";
inline constexpr std::string_view needUnit = "Need h,m, or s for pulse.";
inline constexpr std::string_view onPulseFormat = "on pulse format number plus H,M, or S";
inline constexpr std::string_view offPulseFormat = "off pulse format number plus H,M, or S";
inline constexpr std::string_view tooManyRelays = "too many light relays :-)";
inline constexpr std::string_view invalidRelay = "invalid light relay #";
inline constexpr std::string_view lightState = "on, off only";
inline constexpr std::string_view lineBreak = "a command line cannot hold a line break";
} // namespace msg

} // namespace fh
