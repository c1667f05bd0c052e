#include "checks/lint.h"
#include "cli/commands.h"
#include "compiler/day.h"
#include "compiler/daydiff.h"
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
    Day day;
    for (const Finding& f : fh::lint(read->lists, args.display))
        if (f.code == code::midnightWrap) {
            io.err << path << ':' << f.line << ": warning: " << utf8FromLatin1(f.message) << " [" << f.code << "]\n";
            day.everySecondDay = true;
        }
    StreamMessages messages(io.err);
    if (!day.program.compile(checkedLines(read->lists), messages, FixedClock(0)))
        return std::nullopt;
    if (day.program.proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return std::nullopt;
    }
    return day;
}

bool wantsJson(const Parsed& args)
{
    const auto format = args.values.find("--format");
    return format != args.values.end() && format->second == "json";
}

template <class T, class Name>
std::string jsonList(const std::array<T, outputCount>& values, Name name)
{
    std::string out = "[";
    for (std::size_t k = 0; k < values.size(); ++k)
        out.append(k ? "," : "").append(name(values[k]));
    return out + "]";
}

} // namespace

int state(const Parsed& args, Streams io, const Devices& devices)
{
    const int second = parseClock(args.values.at("--at")).value();
    const auto day = compiledDay(args, io, devices);
    if (!day)
        return 2;
    const int status = day->everySecondDay ? 1 : 0;
    const DayState s = stateAt(day->program, second);
    const Display& display = args.display;
    const auto lightName = [](bool on) { return std::string(on ? "on" : "off"); };
    if (wantsJson(args)) {
        const auto quoted = [](const std::string& text) { return std::string(1, '"').append(text) + '"'; };
        io.out << "{\"time\":\"" << display.time(second) << "\",\"lights\":"
               << jsonList(s.lights, [&](bool on) { return quoted(lightName(on)); })
               << ",\"valves\":" << jsonList(s.valves, [&](double v) { return quoted(display.valveState(v)); })
               << ",\"low\":" << display.setPoint(s.low) << ",\"high\":" << display.setPoint(s.high) << "}\n";
        return status;
    }
    io.out << "at " << display.time(second) << '\n';
    io.out << "lights:";
    for (std::size_t k = 0; k < outputCount; ++k)
        io.out << "  " << k + 1 << ' ' << lightName(s.lights[k]);
    io.out << "\nvalves:";
    for (std::size_t k = 0; k < outputCount; ++k)
        io.out << "  " << k + 1 << ' ' << display.valveState(s.valves[k]);
    io.out << "\nset-points: low " << display.setPoint(s.low) << ", high " << display.setPoint(s.high) << '\n';
    return status;
}

int totals(const Parsed& args, Streams io, const Devices& devices)
{
    const auto day = compiledDay(args, io, devices);
    if (!day)
        return 2;
    const int status = day->everySecondDay ? 1 : 0;
    const DayTotals t = totalsOf(day->program);
    const Display& display = args.display;
    if (wantsJson(args)) {
        const auto count = [](int seconds) { return std::to_string(seconds); };
        io.out << "{\"lights_on\":" << jsonList(t.lightsOn, count) << ",\"valves_on\":" << jsonList(t.valvesOn, count)
               << ",\"valves_pulsed\":" << jsonList(t.valvesPulsed, count) << ",\"low\":{\"min\":"
               << display.setPoint(t.lowMin) << ",\"max\":" << display.setPoint(t.lowMax) << "},\"high\":{\"min\":"
               << display.setPoint(t.highMin) << ",\"max\":" << display.setPoint(t.highMax) << "}}\n";
        return status;
    }
    for (const std::string& line : totalsLines(t, display))
        io.out << line << '\n';
    return status;
}

} // namespace fh::cli
