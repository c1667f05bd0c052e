#include "cli/commands.h"
#include "cli/output.h"
#include "compiler/day.h"
#include "compiler/house.h"
#include "language/latin1.h"

#include <ostream>
#include <string>

namespace fh::cli {

namespace {

struct Day {
    Program program;
    // A line at 24:MM:SS makes the program run every second day, which the day read
    // here does not show.
    bool everySecondDay = false;
};

// The day of a program file; no value, with the reason said, when there is none.
std::optional<Day> compiledDay(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    const auto read = loadOrReport(path, io.err, devices.files);
    if (!read)
        return std::nullopt;
    const bool everySecondDay = warnMidnightWrap(path, read->lists, args.display, io.err);
    auto program = dayProgramOrReport(path, read->lists, io.err);
    if (!program)
        return std::nullopt;
    return Day{std::move(*program), everySecondDay};
}

// The rates of an option the reader has accepted; none when it is not given.
Rates ratesOf(const Parsed& args, std::string_view option)
{
    const auto given = args.values.find(option);
    return given == args.values.end() ? Rates{} : parseRates(given->second).value_or(Rates{});
}

// A member holding an array of each output's value, written by `write`.
template <class T, class Write>
void jsonList(output::Json& json, std::string_view name, const std::array<T, outputCount>& values, Write write)
{
    json.key(name).beginArray();
    for (const T& value : values)
        write(value);
    json.endArray();
}

// Says on `err` when the controller runs the program over more than one day, each
// line held back a day making the days differ.
bool warnCycle(const std::string& path, std::size_t days, std::ostream& err)
{
    if (days > 1)
        err << path << ": lines held back a day make this program repeat every " << days
            << " days; one block a day\n";
    return days > 1;
}

// One block for each day of the cycle: the day's alone for one day, else headed
// "day K of N" (JSON: {"cycle_days":N,"days":[…]}). A block is given the JSON writer
// when JSON is asked for.
template <class Block>
int eachDay(const Day& day, const Parsed& args, Streams io, Block block)
{
    const Cycle cycle(day.program);
    const auto& days = cycle.days();
    const bool many = warnCycle(args.operands.front(), days.size(), io.err);
    output::Json writer(io.out);
    output::Json* const json = formatIs(args, "json") ? &writer : nullptr;
    if (many && json)
        json->beginObject().key("cycle_days").number(static_cast<long long>(days.size())).key("days").beginArray();
    for (std::size_t k = 0; k < days.size(); ++k) {
        if (many && !json)
            output::line(io.out, cycleDayHeading(k + 1, days.size()));
        block(days[k], json);
    }
    if (many && json)
        json->endArray().endObject();
    if (json)
        json->end();
    return day.everySecondDay || many ? 1 : 0;
}

} // namespace

int state(const Parsed& args, Streams io, const Devices& devices)
{
    const int second = parseClock(args.values.at("--at")).value();
    const auto day = compiledDay(args, io, devices);
    if (!day)
        return 2;
    const Display& display = args.display;
    const auto lightName = [](bool on) { return std::string(on ? "on" : "off"); };
    return eachDay(*day, args, io, [&](const DayStates& states, output::Json* json) {
        const DayState& s = states.at(second);
        if (json) {
            json->beginObject().key("time").string(display.time(second));
            jsonList(*json, "lights", s.lights, [&](bool on) { json->string(lightName(on)); });
            jsonList(*json, "valves", s.valves, [&](double v) { json->string(display.valveState(v)); });
            json->key("low").number(display.setPointValue(s.low)).key("high").number(display.setPointValue(s.high));
            json->endObject();
            return;
        }
        io.out << "at " << display.time(second) << '\n';
        io.out << "lights:";
        for (std::size_t k = 0; k < outputCount; ++k)
            io.out << "  " << k + 1 << ' ' << lightName(s.lights[k]);
        io.out << "\nvalves:";
        for (std::size_t k = 0; k < outputCount; ++k)
            io.out << "  " << k + 1 << ' ' << display.valveState(s.valves[k]);
        io.out << "\nset-points: low " << utf8FromLatin1(display.setPoint(s.low)) << ", high "
               << utf8FromLatin1(display.setPoint(s.high)) << '\n';
    });
}

int totals(const Parsed& args, Streams io, const Devices& devices)
{
    const auto day = compiledDay(args, io, devices);
    if (!day)
        return 2;
    const Display& display = args.display;
    const House house{ratesOf(args, "--flow"), ratesOf(args, "--watts"), ratesOf(args, "--ppfd")};
    return eachDay(*day, args, io, [&](const DayStates& states, output::Json* json) {
        const DayTotals t = totalsOf(states);
        if (json) {
            const DayUse use = useOf(t, house);
            const auto count = [&](int seconds) { json->number(seconds); };
            const auto amount = [&](std::string (*text)(double)) {
                return [json, text](std::optional<double> v) { v ? json->number(text(*v)) : json->null(); };
            };
            const auto range = [&](std::string_view name, double min, double max) {
                json->key(name).beginObject().key("min").number(display.setPointValue(min));
                json->key("max").number(display.setPointValue(max)).endObject();
            };
            json->beginObject();
            jsonList(*json, "lights_on", t.lightsOn, count);
            jsonList(*json, "valves_on", t.valvesOn, count);
            jsonList(*json, "valves_pulsed", t.valvesPulsed, count);
            jsonList(*json, "valves_open", t.valvesOpen, count);
            jsonList(*json, "valves_litres", use.litres, amount(litresText));
            jsonList(*json, "lights_kwh", use.kwh, amount(kwhText));
            const auto dli = [&](std::optional<std::int64_t> v) { v ? json->number(dliText(*v)) : json->null(); };
            jsonList(*json, "lights_dli", use.dliTenths, dli);
            json->key("dli");
            dli(use.houseDliTenths);
            const auto clock = [&](std::optional<int> second) {
                second ? json->string(display.time(*second)) : json->null();
            };
            json->key("longest_dark").beginObject().key("seconds").number(t.longestDark.seconds).key("from");
            clock(t.longestDark.from);
            json->key("to");
            clock(t.longestDark.to);
            json->endObject();
            range("low", t.lowMin, t.lowMax);
            range("high", t.highMin, t.highMax);
            json->endObject();
            return;
        }
        for (const std::string& line : totalsLines(t, house, display))
            output::line(io.out, line);
    });
}

} // namespace fh::cli
