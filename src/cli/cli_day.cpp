#include "cli/commands.h"
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
    StreamMessages messages(io.err, path);
    auto program = dayProgram(read->lists, messages);
    if (!program)
        return std::nullopt;
    if (program->proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return std::nullopt;
    }
    return Day{std::move(*program), everySecondDay};
}

// The rates of an option the reader has accepted; none when it is not given.
Rates ratesOf(const Parsed& args, std::string_view option)
{
    const auto given = args.values.find(option);
    return given == args.values.end() ? Rates{} : parseRates(given->second).value_or(Rates{});
}

template <class T, class Name>
std::string jsonList(const std::array<T, outputCount>& values, Name name)
{
    std::string out = "[";
    for (std::size_t k = 0; k < values.size(); ++k)
        out.append(k ? "," : "").append(name(values[k]));
    return out + "]";
}

// Says on `err` when the controller runs the program over more than one day, each
// line held back a day making the days differ.
bool warnCycle(const std::string& path, std::size_t days, std::ostream& err)
{
    if (days > 1)
        err << utf8FromLatin1(path) << ": lines held back a day make this program repeat every " << days
            << " days; one block a day\n";
    return days > 1;
}

// One block for each day of the cycle: the day's alone for one day, else headed
// "day K of N" (JSON: {"cycle_days":N,"days":[…]}).
template <class Block>
int eachDay(const Day& day, const Parsed& args, Streams io, Block block)
{
    const Cycle cycle(day.program);
    const auto& days = cycle.days();
    const bool many = warnCycle(args.operands.front(), days.size(), io.err);
    const bool json = formatIs(args, "json");
    if (many && json)
        io.out << "{\"cycle_days\":" << days.size() << ",\"days\":[";
    for (std::size_t k = 0; k < days.size(); ++k) {
        if (many && !json)
            io.out << "day " << k + 1 << " of " << days.size() << '\n';
        io.out << (many && json && k ? "," : "");
        block(days[k], json);
    }
    if (json)
        io.out << (many ? "]}\n" : "\n");
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
    return eachDay(*day, args, io, [&](const DayStates& states, bool json) {
        const DayState& s = states.at(second);
        if (json) {
            io.out << "{\"time\":\"" << display.time(second) << "\",\"lights\":"
                   << jsonList(s.lights, [&](bool on) { return jsonString(lightName(on)); })
                   << ",\"valves\":" << jsonList(s.valves, [&](double v) { return jsonString(display.valveState(v)); })
                   << ",\"low\":" << display.setPointValue(s.low) << ",\"high\":" << display.setPointValue(s.high)
                   << '}';
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
    return eachDay(*day, args, io, [&](const DayStates& states, bool json) {
        const DayTotals t = totalsOf(states);
        if (json) {
            const DayUse use = useOf(t, house);
            const auto count = [](int seconds) { return std::to_string(seconds); };
            const auto litres = [](std::optional<double> v) { return v ? litresText(*v) : std::string("null"); };
            const auto kwh = [](std::optional<double> v) { return v ? kwhText(*v) : std::string("null"); };
            const auto dli = [](std::optional<std::int64_t> v) { return v ? dliText(*v) : std::string("null"); };
            const auto clock = [&](std::optional<int> second) {
                return second ? jsonString(display.time(*second)) : std::string("null");
            };
            io.out << "{\"lights_on\":" << jsonList(t.lightsOn, count)
                   << ",\"valves_on\":" << jsonList(t.valvesOn, count)
                   << ",\"valves_pulsed\":" << jsonList(t.valvesPulsed, count)
                   << ",\"valves_open\":" << jsonList(t.valvesOpen, count)
                   << ",\"valves_litres\":" << jsonList(use.litres, litres)
                   << ",\"lights_kwh\":" << jsonList(use.kwh, kwh)
                   << ",\"lights_dli\":" << jsonList(use.dliTenths, dli) << ",\"dli\":" << dli(use.houseDliTenths)
                   << ",\"longest_dark\":{\"seconds\":" << t.longestDark.seconds
                   << ",\"from\":" << clock(t.longestDark.from) << ",\"to\":" << clock(t.longestDark.to)
                   << "},\"low\":{\"min\":"
                   << display.setPointValue(t.lowMin) << ",\"max\":" << display.setPointValue(t.lowMax)
                   << "},\"high\":{\"min\":" << display.setPointValue(t.highMin)
                   << ",\"max\":" << display.setPointValue(t.highMax) << "}}";
            return;
        }
        for (const std::string& line : totalsLines(t, house, display))
            io.out << utf8FromLatin1(line) << '\n';
    });
}

} // namespace fh::cli
