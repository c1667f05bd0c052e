#include "cli/commands.h"
#include "session/session.h"
#include "simulation/simulation.h"

#include <array>
#include <charconv>
#include <ostream>
#include <utility>

namespace fh::cli {

namespace {

class SteppedClock : public Clock {
public:
    int secondsOfDay() const override { return now; }
    int now = 0;
};

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

std::string bits(const std::array<bool, 6>& shown)
{
    std::string out;
    for (bool on : shown)
        out += on ? '1' : '0';
    return out;
}

// Everything of the trace line after the time. The pending index is part of the
// display (the pending line and the code's highlight show it), so a change of it
// alone is a change of the display and gives a line.
std::string display(const Simulation& sim, const Display& units)
{
    return "lamps=" + bits(sim.greenhouse().lamps) + " taps=" + bits(sim.greenhouse().taps) + " timers=" +
           bits(sim.greenhouse().timerOn) + " low=" + units.setPoint(sim.greenhouse().lowSetPoint) +
           " high=" + units.setPoint(sim.greenhouse().highSetPoint) +
           " pending=" + std::to_string(sim.simstep());
}

} // namespace

std::optional<long long> parseSeconds(const std::string& text)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > mostSeconds)
        return std::nullopt;
    return value;
}

int simulate(const Parsed& args, Streams io, const Devices& devices)
{
    const int start = parseClock(args.values.at("--at")).value();
    const long long seconds = parseSeconds(args.values.at("--seconds")).value();
    auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    StreamMessages messages(io.err, args.operands.front());
    SteppedClock clock;
    SilentBeeper beeper;
    Session session(messages, clock);
    session.open(std::move(read->lists), args.operands.front());
    Simulation sim(session.program(), session.codeView(), [&](const Clock& at) { return session.compile(at); },
                   clock, beeper, messages);
    sim.startUp();
    sim.setPresetStart(args.values.contains("--preset"));

    // Timer1 has seen the start second, then "SimON" is chosen within it.
    clock.now = start;
    sim.tick();
    sim.switchOn();
    if (!sim.simrun())
        return 2;
    std::string shown = display(sim, args.display);
    io.out << args.display.time(clock.now) << ' ' << shown << '\n';
    for (long long i = 1; i <= seconds; ++i) {
        clock.now = static_cast<int>((start + i) % secondsPerDay);
        sim.tick();
        std::string now = display(sim, args.display);
        if (now != shown) {
            io.out << args.display.time(clock.now) << ' ' << now << '\n';
            shown = std::move(now);
        }
    }
    return 0;
}

} // namespace fh::cli
