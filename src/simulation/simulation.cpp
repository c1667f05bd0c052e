#include "simulation/simulation.h"

#include "compiler/program.h"
#include "language/editor.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace fh {

namespace {

// A time of day cannot tell a long stall from a clock set back; a jump forward of
// up to half a day is taken as a stall whose seconds are made up.
constexpr int longestStall = secondsPerDay / 2;

int dayOf(long long seconds)
{
    return static_cast<int>(((seconds % secondsPerDay) + secondsPerDay) % secondsPerDay);
}

// A timer number or List4 index, rounded halves to even; clamped to -1..7, so a
// value outside 0..6 stays outside.
long long whole(double value) { return roundHalfEven(value, -1, 7); }

// A line at hour 24 passes the check but would never meet the clock: it acts at
// hour 00 of the same minute and second.
bool isDue(const Cell& cell, const std::string& now)
{
    const auto* time = std::get_if<std::string>(&cell);
    if (!time)
        return false;
    if (time->size() == 8 && time->starts_with("24:"))
        return "00" + time->substr(2) == now;
    return *time == now;
}

std::string_view letterOf(const Cell& cell)
{
    const auto* text = std::get_if<std::string>(&cell);
    return text ? trim(*text) : std::string_view();
}

} // namespace

Simulation::Simulation(Program& program, const Editor& editor, const Clock& clock, Beeper& beeper,
                       MessageBox& messages)
    : program(program), editor(editor), clock(clock), beeper(beeper), messages(messages)
{
}

void Simulation::startUp()
{
    if (started)
        return;
    started = true;
    for (int n = 1; n <= timerCount; ++n)
        timers[static_cast<std::size_t>(n - 1)] = {1, 30, 4.0 * n};
    form3.timerItems = true;
}

bool Simulation::tick()
{
    const int now = dayOf(clock.secondsOfDay());
    if (now == dayOf(lasttime))
        return false;
    form1.label6 = formatTime(now);
    // While a box of the set-up is open the simulation is on but has no line.
    if (simrun && !settingUp) {
        const int forward = dayOf(static_cast<long long>(now) - lasttime);
        if (forward <= longestStall)
            for (int s = 1; s < forward && simrun; ++s) {
                blinky();
                step(dayOf(static_cast<long long>(lasttime) + s));
            }
        if (simrun) {
            beeper.beep();
            blinky();
            step(now);
        }
    }
    // The second just handled, not the clock read again: a second that began
    // during this tick is still to come.
    lasttime = now;
    return true;
}

void Simulation::sim() { step(dayOf(clock.secondsOfDay())); }

void Simulation::blinky()
{
    simsecs = simsecs >= 0 && simsecs < secondsPerDay ? simsecs + 1 : 0;
    // nearbyint rounds halves to even; fmod is exact and takes the sign of the
    // dividend, whatever the size of the times (a period beyond the largest double
    // is infinite, and the remainder is then the dividend, as it should be).
    for (std::size_t n = 0; n < timers.size(); ++n) {
        const PulseTimer& t = timers[n];
        const double period = std::max(1.0, std::nearbyint(t.on + t.off));
        form3.timerOn[n] = std::fmod(std::nearbyint(simsecs + t.phase), period) < t.on;
    }
    for (std::size_t v = 1; v <= outputCount; ++v) {
        if (!(valvestat[v] > 10))
            continue;
        const long long item = whole(valvestat[v] - 11);
        form3.taps[v - 1] = item >= 0 && item < timerCount && form3.timerOn[static_cast<std::size_t>(item)];
    }
}

void Simulation::step(int second)
{
    if (settingUp)
        return;
    if (simready == 0) {
        // The set-up may show a modal box (a refused compile, or no program), and
        // the clock ticks on while it is open: no step may run before it is closed.
        settingUp = true;
        bool running = program.compile(editor.lists(), messages, clock);
        if (running) {
            lightstat.fill(-1);
            valvestat.fill(-1);
            simready = 1;
            simstep = program.nextstep;
            if (program.proglast < 0) {
                messages.show(std::string(noProgramPresent));
                running = false;
            }
        }
        settingUp = false;
        if (!running) {
            ssoff();
            return;
        }
    }
    const int last = std::min(program.proglast, progCapacity - 1);
    if (last < 0)
        return;
    // The program can shrink under a running simulation; after the last line comes line 0.
    if (simstep < 0 || simstep > last)
        simstep = 0;
    program.list5Selected = simstep;
    const auto line = static_cast<std::size_t>(simstep);
    form3.text1 = program.prog[line];
    if (!isDue(program.sched[line][1], formatTime(second)))
        return;
    apply(simstep);
    if (++simstep > last)
        simstep = 0;
}

void Simulation::apply(int line)
{
    const auto& row = program.sched[static_cast<std::size_t>(line)];
    const std::string_view letter = letterOf(row[0]);
    if (letter == "L") {
        for (std::size_t k = 0; k < outputCount; ++k) {
            const double v = cellValue(row[k + 2]);
            if (v == 1)
                form3.lamps[k] = true;
            else if (v == 0)
                form3.lamps[k] = false;
        }
    } else if (letter == "T") {
        form3.lsetLab = plainNumber(cellValue(row[2]));
        form3.usetLab = plainNumber(cellValue(row[3]));
    } else if (letter == "W") {
        for (std::size_t k = 0; k < outputCount; ++k) {
            const double v = cellValue(row[k + 2]);
            if (v == 1 || v == 0) {
                valvestat[k + 1] = v;
                form3.taps[k] = v == 1;
            } else if (v > 10) {
                valvestat[k + 1] = v;
                const long long n = whole(cellValue(row[8]) - 10);
                if (cellValue(row[9]) > 0 && n >= 1 && n <= timerCount)
                    timers[static_cast<std::size_t>(n - 1)] = {cellValue(row[9]), cellValue(row[10]),
                                                               cellValue(row[11])};
            }
        }
    }
}

void Simulation::sson()
{
    switchTo(true);
    sim();
}

void Simulation::ssoff()
{
    switchTo(false);
    program.list5Visible = false;
}

void Simulation::switchTo(bool on)
{
    simrun = on;
    form1.redLight = !on;
    form1.greenLight = on;
    form1.label13 = on ? simOnCaption : simOffCaption;
    form1.ssoffChecked = !on;
    form1.ssonChecked = on;
    form3.shown = on;
    simready = 0;
}

// The toolkit's own flip is left out, so a click (a press, then a release on the
// switch) is one flip and the caption always names the tick. As with the written
// handlers and the toolkit's flip together, a release elsewhere changes nothing.
void Simulation::check13Down() { check13Pressed = true; }

void Simulation::check13Up(bool onSwitch)
{
    if (!std::exchange(check13Pressed, false) || !onSwitch)
        return;
    form1.fanTicked = !form1.fanTicked;
    form1.fanCaption = form1.fanTicked ? "On" : "Off";
}

void Simulation::command2Click()
{
    if (form1.command2 != forceLights) {
        form1.warningSign = false;
        form1.command2 = forceLights;
    } else {
        form1.warningSign = true;
        form1.command2 = unforce;
    }
}

} // namespace fh
