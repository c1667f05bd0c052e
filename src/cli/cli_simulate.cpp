#include "cli/cli.h"
#include "compiler/program.h"
#include "simulation/simulation.h"

#include <array>
#include <charconv>
#include <ostream>
#include <utility>

namespace fh::cli {

namespace {

// A week of seconds is far more than any comparison needs and runs in well under a second.
constexpr long long mostSeconds = 7LL * secondsPerDay;

constexpr const char* usage = "usage: fernhollow simulate FILE --at HH:MM:SS --seconds N\n";

class SteppedClock : public Clock {
public:
    int secondsOfDay() const override { return now; }
    int now = 0;
};

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

std::optional<long long> parseSeconds(const std::string& text)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > mostSeconds)
        return std::nullopt;
    return value;
}

std::string bits(const std::array<bool, 6>& shown)
{
    std::string out;
    for (bool on : shown)
        out += on ? '1' : '0';
    return out;
}

// Everything of the trace line after the time. The pending index is part of the
// display (Text1 and List5's highlight show its line), so a change of it alone is
// a change of the display and gives a line.
std::string display(const Simulation& sim)
{
    return "lamps=" + bits(sim.greenhouse().lamps) + " taps=" + bits(sim.greenhouse().taps) + " timers=" +
           bits(sim.greenhouse().timerOn) + " low=" + sim.greenhouse().lowSetPoint + " high=" + sim.greenhouse().highSetPoint +
           " pending=" + std::to_string(sim.simstep());
}

} // namespace

int simulate(const Args& args, Streams io)
{
    std::optional<std::string> file;
    std::optional<int> start;
    std::optional<long long> seconds;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--at" && i + 1 < args.size()) {
            start = parseClock(args[++i]);
            if (!start) {
                io.err << "fernhollow: --at wants a time HH:MM:SS, not " << args[i] << '\n';
                return 2;
            }
        } else if (args[i] == "--seconds" && i + 1 < args.size()) {
            seconds = parseSeconds(args[++i]);
            if (!seconds) {
                io.err << "fernhollow: --seconds wants a whole number from 0 to " << mostSeconds
                       << ", not " << args[i] << '\n';
                return 2;
            }
        } else if (!file && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            io.err << usage;
            return 2;
        }
    }
    if (!file || !start || !seconds) {
        io.err << usage;
        return 2;
    }
    auto lists = loadProgram(*file, io.err);
    if (!lists)
        return 2;

    StreamMessages messages(io.err);
    SteppedClock clock;
    SilentBeeper beeper;
    Editor editor(messages);
    editor.replaceLists(std::move(*lists));
    Program program;
    Simulation sim(program, editor, clock, beeper, messages);
    sim.startUp();

    // Timer1 has seen the start second, then "SimON" is chosen within it.
    clock.now = *start;
    sim.tick();
    sim.switchOn();
    if (!sim.simrun())
        return 2;
    std::string shown = display(sim);
    io.out << formatTime(clock.now) << ' ' << shown << '\n';
    for (long long i = 1; i <= *seconds; ++i) {
        clock.now = static_cast<int>((*start + i) % secondsPerDay);
        sim.tick();
        std::string now = display(sim);
        if (now != shown) {
            io.out << formatTime(clock.now) << ' ' << now << '\n';
            shown = std::move(now);
        }
    }
    return 0;
}

} // namespace fh::cli
