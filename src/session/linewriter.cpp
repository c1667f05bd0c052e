#include "session/linewriter.h"

#include "compiler/day.h"
#include "compiler/program.h"
#include "compiler/sun.h"
#include "language/celsius.h"
#include "language/datcheck.h"
#include "language/decimal.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>
#include <variant>

namespace fh {

namespace {

// A request that cannot be met; writeLines hands its reason back.
struct Refused {
    std::string reason;
};

[[noreturn]] void refuse(std::string reason) { throw Refused{std::move(reason)}; }

constexpr long long million = 1'000'000;
constexpr int mostSteps = 100;

// Digits as a number, or `cap` when that is `cap` or more: a long run of digits
// cannot overflow.
int bounded(std::string_view digits, int cap)
{
    long long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= cap)
            return cap;
    }
    return static_cast<int>(value);
}

std::string_view field(const LineWords& words, std::string_view name)
{
    const auto found = words.find(name);
    return found == words.end() ? std::string_view() : std::string_view(found->second);
}

// A time that reads as a time but otherwise than it looks, which gets a message of
// its own: a part (split at ':', trimmed) that is a number but not digits only (8.30,
// +8, 1E1), or more than three parts. Any other text with more than digits in a part
// is no time of day at all (8am).
bool hasTimeTextFault(std::string_view term)
{
    const auto parts = split(term, ':');
    return parts.size() > 3 || std::ranges::any_of(parts, [](const std::string& part) {
               const std::string_view t = trim(part);
               return isNumeric(t) && !digitsOnly(t);
           });
}

// A time of day in the command language's forms (6, 6:30, 06:30:00, a blank part 0),
// as a second of the day; 24:MM:SS is 00:MM:SS.
int readTime(std::string_view text)
{
    const std::string typed(trim(text));
    if (typed.empty())
        refuse("a time of day is missing");
    if (hasTimeTextFault(typed))
        refuse(typed + " is not written as a time: hh:mm:ss, each part in digits only");
    static constexpr std::array limits = {24, 59, 59};
    static constexpr std::array scale = {3600, 60, 1};
    const auto parts = split(typed, ':');
    int second = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string_view part = trim(parts[i]);
        if (part.empty())
            continue;
        if (!digitsOnly(part))
            refuse(typed + " is not a time of day (hh:mm:ss on a 24-hour clock)");
        const int value = bounded(part, limits[i] + 1);
        if (value > limits[i])
            refuse(typed + " is not a time of day: hours run 0 to 24, minutes and seconds 0 to 59");
        second += value * scale[i];
    }
    return second % secondsPerDay;
}

// A plain decimal (an optional minus, digits with at most one point, at least one
// digit) in millionths; none when it is not one, or has more than six decimals or
// nine whole digits.
std::optional<long long> millionths(std::string_view text)
{
    const auto d = text.starts_with('+') ? std::nullopt : readDecimal(text);
    if (!d || d->places > 6)
        return std::nullopt;
    long long value = d->scaled;
    for (int i = d->places; i < 6; ++i)
        value *= 10;
    if (value <= -1'000'000'000'000'000 || value >= 1'000'000'000'000'000)
        return std::nullopt;
    return value;
}

// A number and one unit H, M or S, either case (1.5M is 90 seconds), in whole seconds
// from 1 to under a day.
int readDuration(std::string_view text)
{
    const std::string typed(trim(text));
    if (typed.empty())
        refuse("a duration is missing");
    const char unit = typed.back();
    const int unitSeconds = unit == 'H' || unit == 'h' ? 3600 : unit == 'M' || unit == 'm' ? 60
                            : unit == 'S' || unit == 's'                                 ? 1
                                                                                         : 0;
    const auto value = unitSeconds > 0 ? millionths(trim(std::string_view(typed).substr(0, typed.size() - 1)))
                                       : std::nullopt;
    if (!value || *value < 0)
        refuse(typed + " is not a duration: a number and H, M or S, as in 15M");
    // At least a second a unit: a value of a day or more is too long whatever its unit.
    const long long scaled = std::min(*value, secondsPerDay * million) * unitSeconds;
    if (scaled >= secondsPerDay * million)
        refuse(typed + " is not under 24 hours");
    if (scaled % million != 0)
        refuse(typed + " is not a whole number of seconds");
    if (scaled == 0)
        refuse(typed + " is shorter than a second");
    return static_cast<int>(scaled / million);
}

// Output numbers joined by '/', written as filed: each once, in ascending order.
std::string readOutputs(std::string_view text, const std::string& noun)
{
    const std::string typed(trim(text));
    if (typed.empty())
        refuse("no " + noun + "s are given");
    std::array<bool, outputCount + 1> named{};
    for (const std::string& piece : split(typed, '/')) {
        const std::string_view id = trim(piece);
        const int n = digitsOnly(id) ? bounded(id, outputCount + 1) : 0;
        if (n < 1 || n > outputCount)
            refuse(typed + " is not a list of " + noun + "s: numbers 1 to 6 joined by /");
        named[static_cast<std::size_t>(n)] = true;
    }
    std::vector<std::string> ids;
    for (std::size_t n = 1; n < named.size(); ++n)
        if (named[n])
            ids.push_back(std::to_string(n));
    return join(ids, '/');
}

// A whole number from 1 to `most`.
int readCount(std::string_view text, int most, const std::string& missing, const std::string& wanted)
{
    const std::string typed(trim(text));
    if (typed.empty())
        refuse(missing);
    const int n = digitsOnly(typed) ? bounded(typed, most + 1) : 0;
    if (n < 1 || n > most)
        refuse(typed + " is not " + wanted);
    return n;
}

struct Timed {
    int second;
    std::string line;
};

Timed at(char letter, int second, const std::string& rest)
{
    const int wrapped = second % secondsPerDay;
    return {wrapped, std::string(1, letter) + ',' + formatTime(wrapped) + ',' + rest};
}

std::vector<Timed> water(const LineWords& words)
{
    const std::string valves = readOutputs(field(words, "valves"), "valve");
    const int duration = readDuration(field(words, "for"));
    std::vector<int> starts;
    for (const std::string& time : split(field(words, "at"), ','))
        starts.push_back(readTime(time));
    std::ranges::sort(starts);
    // A watering that begins before the one before it ends would give the valve one
    // watering, ended by the first OFF.
    for (std::size_t i = 0; starts.size() > 1 && i < starts.size(); ++i) {
        const int before = starts[(i + starts.size() - 1) % starts.size()];
        if ((starts[i] - before + secondsPerDay) % secondsPerDay < duration)
            refuse("the waterings at " + formatTime(before) + " and " + formatTime(starts[i]) + " overlap: each lasts " +
                   pulseTerm(duration));
    }
    std::vector<Timed> lines;
    for (const int on : starts) {
        lines.push_back(at('W', on, valves + ",ON"));
        lines.push_back(at('W', on + duration, valves + ",OFF"));
    }
    return lines;
}

std::vector<Timed> mist(const LineWords& words)
{
    const std::string valves = readOutputs(field(words, "valves"), "valve");
    const int timer = readCount(field(words, "timer"), timerCount, "a timer is missing",
                                "a timer: timers are numbered 1 to 6");
    const int from = readTime(field(words, "from"));
    const int to = readTime(field(words, "to"));
    const int on = readDuration(field(words, "on"));
    const int every = readDuration(field(words, "every"));
    if (every <= on)
        refuse("every " + pulseTerm(every) + " is not longer than on " + pulseTerm(on) +
               ": the valves would never close");
    return {at('W', from, valves + ",P" + std::to_string(timer) + ',' + pulseTerm(on) + ',' + pulseTerm(every - on)),
            at('W', to, valves + ",OFF")};
}

std::vector<Timed> lights(const LineWords& words)
{
    const std::string relays = readOutputs(field(words, "relays"), "light relay");
    const int from = readTime(field(words, "from"));
    const bool endTime = !trim(field(words, "to")).empty();
    const bool duration = !trim(field(words, "for")).empty();
    if (endTime == duration)
        refuse(endTime ? "lights take an end time or a duration, not both" : "an end time or a duration is missing");
    const int to = endTime ? readTime(field(words, "to")) : from + readDuration(field(words, "for"));
    return {at('L', from, relays + ",ON"), at('L', to, relays + ",OFF")};
}

struct SetPoints {
    long long low, high; // millionths of a degree, in the display's scale
};

// The ramp's two ends, LOW/HIGH each; with a gap, the low alone, the high that far
// above it. In °C the ramp is worked out in °C and each step's set-points written in
// °F as the step typed in °C would be, so the lines read back as the °C they came from.
std::pair<SetPoints, SetPoints> readRampEnds(const LineWords& words, const Display& display)
{
    const bool celsius = display.temperature == Display::Temperature::Celsius;
    const std::string_view gapText = trim(field(words, "gap"));
    const auto gap = gapText.empty() ? std::optional<long long>() : millionths(gapText);
    if (!gapText.empty() && !gap)
        refuse(std::string(gapText) + " is not a number of degrees, as in 8");
    const auto end = [&](std::string_view text) {
        const std::string typed(trim(text));
        if (typed.empty())
            refuse("set-points are missing");
        if (gap) {
            const auto low = millionths(typed);
            if (!low)
                refuse(typed + " is not one set-point, as in " + (celsius ? "18" : "65") +
                       " (the gap gives the high one)");
            return SetPoints{*low, *low + *gap};
        }
        const auto pair = split(typed, '/');
        const auto low = millionths(trim(pair.front()));
        const auto high = pair.size() == 2 ? millionths(trim(pair.back())) : std::nullopt;
        if (!low || !high)
            refuse(typed + " is not a pair of set-points LOW/HIGH, as in " + (celsius ? "18/23" : "65/73"));
        return SetPoints{*low, *high};
    };
    return {end(field(words, "from")), end(field(words, "to"))};
}

// from + (to - from) * k / n in tenths, halves away from zero.
long long stepTenths(long long from, long long to, long long k, long long n)
{
    return roundHalfAway(from * n + (to - from) * k, n * (million / 10));
}

// A T line at `second` with set-points in tenths of the display's scale, as the line
// files them; refused, naming `what`, when the line check refuses it.
Timed temperatureLine(int second, long long low, long long high, const Display& display, const std::string& what)
{
    const auto filed = [&](long long tenths) {
        const std::string text = tenthsText(tenths, true);
        if (display.temperature == Display::Temperature::Fahrenheit)
            return text;
        const auto fahrenheit = fahrenheitText(text);
        if (!fahrenheit)
            refuse(what + ": " + text + "C is no set-point");
        return *fahrenheit;
    };
    const Timed line = at('T', second, filed(low) + ',' + filed(high));
    if (const CheckResult r = datcheck(line.line); !r.dataok)
        refuse(what + ", " + line.line + ": " + r.errmsg);
    return line;
}

std::vector<Timed> ramp(const LineWords& words, const Display& display)
{
    const auto [from, to] = readRampEnds(words, display);
    const int start = readTime(field(words, "start"));
    const int duration = readDuration(field(words, "for"));
    const int steps = readCount(field(words, "steps"), mostSteps, "the number of steps is missing",
                                "a number of steps from 1 to 100");
    std::vector<Timed> lines;
    for (int k = 1; k <= steps; ++k)
        lines.push_back(temperatureLine(start + k * duration / steps, stepTenths(from.low, to.low, k, steps),
                                        stepTenths(from.high, to.high, k, steps), display,
                                        "step " + std::to_string(k)));
    return lines;
}

// The set-points from one second on: heating, and cooling given or that far above it.
std::vector<Timed> setPoint(const LineWords& words, const Display& display)
{
    const int second = readTime(field(words, "at"));
    const bool celsius = display.temperature == Display::Temperature::Celsius;
    const std::string cool(trim(field(words, "cool"))), gap(trim(field(words, "gap")));
    if (cool.empty() == gap.empty())
        refuse(cool.empty() ? "give --cool or --gap" : "give --cool or --gap, not both");
    const auto degrees = [&](std::string_view name, const char* example) {
        const std::string text(trim(field(words, name)));
        const auto value = millionths(text);
        if (!value)
            refuse("--" + std::string(name) + " wants a number of degrees, as in " + example + ", not " + text);
        return *value;
    };
    const long long heat = degrees("heat", celsius ? "22" : "72");
    const long long high = cool.empty() ? heat + degrees("gap", celsius ? "4" : "8") : degrees("cool", celsius ? "27" : "80");
    return {temperatureLine(second, roundHalfAway(heat, million / 10), roundHalfAway(high, million / 10), display,
                            "the set-points")};
}

// A time of lines by the sun: an event and a signed offset, or a time of day.
struct SunTerm {
    std::optional<SunEvent> event;
    int offset = 0;
    int second = 0; // for a time of day
};

SunTerm readSunTerm(std::string_view text)
{
    const std::string typed(trim(text));
    for (const SunEvent event : {SunEvent::Sunrise, SunEvent::Sunset, SunEvent::Dawn, SunEvent::Dusk}) {
        const std::string_view name = sunEventName(event);
        if (!typed.starts_with(name))
            continue;
        const std::string_view rest = trim(std::string_view(typed).substr(name.size()));
        if (rest.empty())
            return {event, 0, 0};
        if (rest.front() != '+' && rest.front() != '-')
            refuse(typed + " is not an event and an offset, as in sunrise-30m");
        const int offset = readDuration(rest.substr(1));
        return {event, rest.front() == '-' ? -offset : offset, 0};
    }
    if (typed.empty() || std::isalpha(static_cast<unsigned char>(typed.front())))
        refuse((typed.empty() ? std::string("a time") : typed) +
               " is not a time by the sun: sunrise, sunset, dawn or dusk, with an offset as in sunset+1h, or a "
               "time of day");
    return {std::nullopt, 0, readTime(typed)};
}

// The term's civil time on `date`, in seconds from its midnight, not rounded.
double exactTime(const SunTerm& term, Date date, const Site& site, const Zones& zones)
{
    const auto time = sunTime(*term.event, date, site, zones);
    if (const auto* why = std::get_if<std::string>(&time))
        refuse(*why);
    return std::get<double>(time) + term.offset;
}

// To the whole minute, halves up, within the day: a time past midnight is 00:MM:SS.
int wholeMinute(double seconds)
{
    const auto minutes = static_cast<long long>(std::floor(seconds / 60 + 0.5));
    return static_cast<int>(((minutes * 60) % secondsPerDay + secondsPerDay) % secondsPerDay);
}

std::string toleranceText(int seconds)
{
    return seconds % 60 == 0 ? std::to_string(seconds / 60) + " min" : std::to_string(seconds) + " s";
}

constexpr int daysSearched = 366;

// The last day, from `date` on, that every term that follows the sun is within
// `tolerance` of the sun's time, as the note says it.
std::string driftNote(const std::vector<std::pair<SunTerm, int>>& written, Date date, const Site& site,
                      const Zones& zones, int tolerance)
{
    const auto within = [&](Date day) {
        return std::ranges::all_of(written, [&](const auto& term) {
            const auto time = sunTime(*term.first.event, day, site, zones);
            if (!std::holds_alternative<double>(time))
                return false;
            double off = std::fmod(std::get<double>(time) + term.first.offset - term.second, secondsPerDay);
            off = off > secondsPerDay / 2 ? off - secondsPerDay : off < -secondsPerDay / 2 ? off + secondsPerDay : off;
            return std::fabs(off) <= tolerance;
        });
    };
    const std::string of = "within " + toleranceText(tolerance) + " of the sun";
    if (!within(date))
        return "not " + of + " even on " + dateText(date) + ": the times are written to the whole minute";
    for (int k = 1; k <= daysSearched; ++k)
        if (!within(Date{date.days + k}))
            return of + " until " + dateText(Date{date.days + k - 1});
    return of + " on each of the " + std::to_string(daysSearched) + " days searched, to " +
           dateText(Date{date.days + daysSearched});
}

std::vector<Timed> byTheSun(const LineWords& words, const Display& display, const Zones& zones, std::string& note)
{
    const std::string dateTyped(trim(field(words, "date")));
    const auto date = parseDate(dateTyped);
    if (!date)
        refuse(dateTyped.empty() ? "the date is missing" : dateTyped + " is not a date YYYY-MM-DD");
    const std::string placeTyped(trim(field(words, "place")));
    const auto site = parseSite(placeTyped);
    if (!site)
        refuse(placeTyped.empty() ? "the place is missing"
                                  : placeTyped + " is not a place LAT,LON[,ZONE]: degrees north and east, as "
                                                 "52.37,4.9,Europe/Amsterdam");
    const std::string withinTyped(trim(field(words, "within")));
    const int tolerance = readDuration(withinTyped.empty() ? "5m" : withinTyped);
    const auto given = [&](std::string_view name) { return !trim(field(words, name)).empty(); };
    const int outputs = given("relays") + given("valves") + given("at");
    if (outputs != 1)
        refuse(outputs == 0 ? "give --relays or --valves with --from and --to, or --at with the set-points"
                            : "give one of --relays, --valves and --at");
    if (given("at") ? given("from") || given("to") : given("heat") || given("cool") || given("gap"))
        refuse(given("at") ? "--from and --to go with --relays or --valves"
                           : "--heat, --cool and --gap go with --at");

    std::vector<std::pair<SunTerm, int>> anchored;
    // The term as a time of day for the other kinds to read.
    const auto timeOf = [&](std::string_view name) {
        if (!given(name))
            refuse("--" + std::string(name) + " is missing");
        const SunTerm term = readSunTerm(field(words, name));
        if (!term.event)
            return term.second;
        const int second = wholeMinute(exactTime(term, *date, *site, zones));
        anchored.emplace_back(term, second);
        return second;
    };
    LineWords fixed = words;
    std::vector<Timed> lines;
    if (given("at")) {
        fixed["at"] = formatTime(timeOf("at"));
        lines = setPoint(fixed, display);
    } else {
        const int from = timeOf("from"), to = timeOf("to");
        if (from == to)
            refuse("--from and --to both come to " + formatTime(from));
        fixed["from"] = formatTime(from);
        fixed["to"] = formatTime(to);
        if (given("relays")) {
            lines = lights(fixed);
        } else {
            fixed["at"] = fixed["from"];
            fixed["for"] = std::to_string((to - from + secondsPerDay) % secondsPerDay) + "s";
            lines = water(fixed);
        }
    }
    if (!anchored.empty())
        note = driftNote(anchored, *date, *site, zones, tolerance);
    return lines;
}

std::optional<int> secondOfLine(std::string_view line)
{
    const auto first = line.find(',');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(first + 1);
    return secondOfDay(rest.substr(0, rest.find(',')));
}

} // namespace

const std::vector<LineKindInfo>& lineKinds()
{
    static const std::vector<LineKindInfo> kinds = {
        {LineKind::Water,
         "water",
         {{"valves", "Valves", "3", "valve numbers 1 to 6, joined by /"},
          {"at", "At", "07:00,15:00", "the times of day the valves open, joined by commas"},
          {"for", "For", "15m", "how long they stay open: a number and H, M or S"}}},
        {LineKind::Mist,
         "mist",
         {{"valves", "Valves", "1/2", "valve numbers 1 to 6, joined by /"},
          {"timer", "Timer", "1", "the pulse timer, 1 to 6"},
          {"from", "From", "08:00", "the time of day the misting starts"},
          {"to", "To", "18:00", "the time of day it stops"},
          {"on", "On", "5s", "how long each burst lasts: a number and H, M or S"},
          {"every", "Every", "10m", "how often a burst starts: a number and H, M or S"}}},
        {LineKind::Lights,
         "lights",
         {{"relays", "Relays", "1/2/3", "light relay numbers 1 to 6, joined by /"},
          {"from", "From", "05:00", "the time of day the lights go on"},
          {"to", "To", "21:00", "the time of day they go off (or give For)", false},
          {"for", "For", "16h", "how long they stay on: a number and H, M or S (or give To)", false}}},
        {LineKind::Ramp,
         "ramp",
         {{"from", "From", "65/73", "the set-points LOW/HIGH to start from (one number with Gap)", true, "18/23"},
          {"to", "To", "72/80", "the set-points LOW/HIGH to end at (one number with Gap)", true, "22/27"},
          {"gap", "Gap", "8", "the high set-point this far above the low one at both ends", false, "4"},
          {"start", "Start", "05:00", "the time of day the ramp starts"},
          {"for", "For", "2h", "how long it takes: a number and H, M or S"},
          {"steps", "Steps", "4", "how many T lines it takes, 1 to 100"}}},
        {LineKind::SetPoints,
         "setpoint",
         {{"at", "At", "06:00", "the time of day the set-points change"},
          {"heat", "Heat", "72", "the heating (low) set-point", true, "22"},
          {"cool", "Cool", "80", "the cooling (high) set-point (or give Gap)", false, "27"},
          {"gap", "Gap", "8", "the cooling set-point this far above the heating one (or give Cool)", false, "4"}},
         "Set-points"},
        {LineKind::Sun,
         "sun",
         {{"date", "Date", "2027-03-14", "the date the sun gives the times for: YYYY-MM-DD"},
          {"place", "Place", "52.37,4.9,Europe/Amsterdam",
           "latitude,longitude in degrees north and east, and the time zone (this computer's when left out)"},
          {"relays", "Relays", "1/2/3", "light relays on from and off to (or give Valves, or At)", false},
          {"valves", "Valves", "1", "valves open from and closed to (or give Relays, or At)", false},
          {"from", "From", "sunset", "when they go on: sunrise, sunset, dawn or dusk, with an offset as in sunset-30m, "
                                     "or a time of day", false},
          {"to", "To", "sunset+4h", "when they go off, as From", false},
          {"at", "At", "sunrise", "when the set-points change, as From (or give Relays or Valves)", false},
          {"heat", "Heat", "72", "the heating (low) set-point, with At", false, "22"},
          {"cool", "Cool", "80", "the cooling (high) set-point, with At (or give Gap)", false, "27"},
          {"gap", "Gap", "8", "the cooling set-point this far above the heating one, with At (or give Cool)", false, "4"},
          {"within", "Within", "5m", "how far a line may drift from the sun: a number and H, M or S; 5m when empty",
           false}},
         "By the sun"},
    };
    return kinds;
}

const LineKindInfo* lineKindNamed(std::string_view name)
{
    const auto& kinds = lineKinds();
    const auto found = std::ranges::find(kinds, name, &LineKindInfo::name);
    return found == kinds.end() ? nullptr : &*found;
}

WrittenLines writeLines(LineKind kind, const LineWords& words, const Display& display, const Zones& zones)
{
    try {
        std::string note;
        std::vector<Timed> timed = kind == LineKind::Water       ? water(words)
                                   : kind == LineKind::Mist      ? mist(words)
                                   : kind == LineKind::Lights    ? lights(words)
                                   : kind == LineKind::Ramp      ? ramp(words, display)
                                   : kind == LineKind::SetPoints ? setPoint(words, display)
                                                                 : byTheSun(words, display, zones, note);
        std::ranges::stable_sort(timed, {}, &Timed::second);
        for (std::size_t i = 1; i < timed.size(); ++i)
            if (timed[i].second == timed[i - 1].second)
                refuse("two of its lines would act at " + formatTime(timed[i].second) + ": " + timed[i - 1].line +
                       " and " + timed[i].line);
        WrittenLines written;
        for (Timed& line : timed)
            written.lines.push_back(std::move(line.line));
        written.note = std::move(note);
        return written;
    } catch (const Refused& refused) {
        return {{}, refused.reason, {}};
    }
}

std::optional<std::string> additionRefusal(const CommandLists& lists, const std::vector<std::string>& lines)
{
    std::size_t count = lines.size();
    for (const auto& list : lists)
        count += list.size();
    if (count > static_cast<std::size_t>(progCapacity))
        return "the program would hold " + std::to_string(count) + " lines; it holds at most " +
               std::to_string(progCapacity);
    std::map<int, const std::string*> taken;
    for (const auto& list : lists)
        for (const std::string& line : list)
            if (const auto second = secondOfLine(line))
                taken.emplace(*second, &line);
    for (const std::string& line : lines)
        if (const auto second = secondOfLine(line); second && taken.contains(*second))
            return line + " would act in the same second as " + *taken.at(*second) + ", already in the program";
    return std::nullopt;
}

CommandLists withLines(CommandLists lists, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (const int list = listOf(line); list >= 0)
            lists[static_cast<std::size_t>(list)].push_back(line);
    return lists;
}

std::vector<Finding> findingsOfAddition(const CommandLists& lists, const std::vector<std::string>& lines,
                                        const Display& display)
{
    const std::vector<Finding> before = lint(lists, display);
    std::vector<Finding> after = lint(withLines(lists, lines), display);
    // The lines are filed at the ends of the lists, so the items there keep their places.
    std::erase_if(after, [&](const Finding& found) {
        return found.item && std::ranges::any_of(before, [&](const Finding& old) {
                   return old.item == found.item && old.code == found.code && old.message == found.message;
               });
    });
    return after;
}

} // namespace fh
