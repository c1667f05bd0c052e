#include "simulation/simulation.h"

#include "compiler/day.h"
#include "compiler/program.h"
#include "compiler/why.h"
#include "simulation/codeview.h"
#include "compiler/rowrule.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <charconv>
#include <tuple>
#include <utility>

namespace fh {

namespace {

// A time of day cannot tell a long stall from a clock set back; a jump forward of
// up to half a day is taken as a stall whose seconds are made up.
constexpr int longestStall = secondsPerDay / 2;

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

} // namespace

Simulation::Simulation(const Program& compiled, CodeView& shown, Compile compiler, Clock& time, Beeper& sound,
                       MessageBox& boxes)
    : program(compiled), code(shown), compile(std::move(compiler)), clock(time), beeper(sound), messages(boxes)
{
}

Simulation::~Simulation()
{
    // The clock must not wake a simulation that is gone.
    if (changed)
        clock.wakeAtNextSecond({});
}

void Simulation::startUp()
{
    if (started)
        return;
    started = true;
    for (std::size_t n = 0; n < timerCount; ++n)
        timers_[n] = startTimer(n);
    greenhouse_.timerItems = true;
}

bool Simulation::tick()
{
    const int now = dayOf(clock.secondsOfDay());
    if (now == dayOf(lasttime))
        return false;
    panel_.clock = formatTime(now);
    // While a box of the set-up is open the simulation is on but has no line.
    if (simrun_ && !settingUp) {
        const int forward = dayOf(static_cast<long long>(now) - lasttime);
        if (forward <= longestStall)
            for (int s = 1; s < forward && simrun_; ++s) {
                blinky();
                step(dayOf(static_cast<long long>(lasttime) + s));
            }
        if (simrun_) {
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

void Simulation::keepTime(std::function<void()> onChange)
{
    if (changed)
        return;
    changed = std::move(onChange);
    woken();
}

void Simulation::woken()
{
    if (tick())
        changed();
    clock.wakeAtNextSecond([this] { woken(); });
}

void Simulation::sim() { step(dayOf(clock.secondsOfDay())); }

void Simulation::blinky()
{
    simsecs_ = simsecs_ >= 0 && simsecs_ < secondsPerDay ? simsecs_ + 1 : 0;
    for (std::size_t n = 0; n < timers_.size(); ++n)
        greenhouse_.timerOn[n] = inOnPhase(timers_[n], simsecs_);
    for (std::size_t v = 1; v <= outputCount; ++v) {
        if (!OutputState::isPulsed(valvestat_[v]))
            continue;
        const auto item = pulsingTimer(valvestat_[v]);
        greenhouse_.taps[v - 1] = item && greenhouse_.timerOn[*item];
    }
}

void Simulation::step(int second)
{
    if (settingUp)
        return;
    if (!simready_) {
        // The set-up may show a modal box (a refused compile, or no program), and
        // the clock ticks on while it is open: no step may run before it is closed.
        settingUp = true;
        bool running = compile(clock);
        // Nothing of the window changes before the message.
        if (running && program.proglast() < 0) {
            messages.show(std::string(noProgramPresent));
            running = false;
        }
        if (running) {
            lightstat_.fill(OutputState::notNamed);
            valvestat_.fill(OutputState::notNamed);
            simready_ = true;
            simstep_ = program.nextstep();
            followed = program.revision();
        }
        settingUp = false;
        if (!running) {
            switchOff();
            return;
        }
        // The preset has applied this second's line already.
        if (presetStart_) {
            simstep_ = preset(second);
            markPending();
            return;
        }
    }
    // Compiled again under the running simulation (a chart, the compile buttons): the
    // old index may now name another line. Wait for the first line after the last
    // second handled, so that nothing is replayed and nothing due is passed over.
    if (program.revision() != followed) {
        followed = program.revision();
        simstep_ = std::max(program.firstLaterThan(formatTime(second - 1)), 0);
    }
    if (!markPending())
        return;
    if (!isDue(program.sched()[static_cast<std::size_t>(simstep_)][column::time], formatTime(second)))
        return;
    apply(simstep_);
    if (++simstep_ > lastLine())
        simstep_ = 0;
}

int Simulation::lastLine() const { return std::min(program.proglast(), progCapacity - 1); }

bool Simulation::markPending()
{
    if (lastLine() < 0)
        return false;
    // The program can shrink under a running simulation; after the last line comes line 0.
    if (simstep_ < 0 || simstep_ > lastLine())
        simstep_ = 0;
    code.highlighted = simstep_;
    greenhouse_.pendingLine = program.line(simstep_);
    return true;
}

void Simulation::clockSet(Pending pending)
{
    const int now = dayOf(clock.secondsOfDay());
    lasttime = now;
    panel_.clock = formatTime(now);
    if (!simrun_ || !simready_ || settingUp)
        return;
    if (pending == Pending::Start)
        simsecs_ = 0;
    const bool find = pending != Pending::Keep;
    if (find) {
        followed = program.revision();
        simstep_ = std::max(program.firstLaterThan(formatTime(now)), 0);
    }
    if (presetStart_) {
        const int waiting = preset(now);
        if (find)
            simstep_ = waiting;
    }
    markPending();
}

std::optional<int> Simulation::pendingSecond() const
{
    if (!simrun_ || !simready_ || settingUp || simstep_ < 0 || simstep_ > lastLine())
        return std::nullopt;
    return secondOfDay(program.sched()[static_cast<std::size_t>(simstep_)][column::time]);
}

DayState Simulation::shown() const
{
    DayState state;
    for (std::size_t k = 0; k < outputCount; ++k) {
        state.lights[k] = greenhouse_.lamps[k];
        const double valve = valvestat_[k + 1];
        state.valves[k] = valve == OutputState::notNamed ? OutputState::off : valve;
    }
    for (std::size_t n = 0; n < timerCount; ++n)
        state.timers[n] = timers_[n];
    state.low = greenhouse_.lowSetPoint;
    state.high = greenhouse_.highSetPoint;
    return state;
}

std::optional<CycleSecond> Simulation::inCycle(const Cycle& cycle) const
{
    if (!simrun_ || !simready_ || settingUp || program.revision() != followed || simstep_ < 0 ||
        simstep_ > lastLine())
        return std::nullopt;
    const int second = dayOf(lasttime);
    const auto& days = cycle.days();
    // A program's days each wait for another line at any one second, so one day fits.
    for (std::size_t day = 0; day < days.size(); ++day)
        if (days[day].pendingAfter(second) == simstep_)
            return CycleSecond{day, second};
    return std::nullopt;
}

// Only what some line sets: a lamp, valve, timer or set-point that no line sets stays
// as the last run left it.
int Simulation::preset(int second)
{
    const Cycle cycle(program);
    const DayStates& firstDay = cycle.days().front();
    const DayState& day = firstDay.at(second);
    for (std::size_t k = 0; k < outputCount; ++k) {
        if (day.lightSet[k])
            greenhouse_.lamps[k] = day.lights[k];
        if (!day.valveSet[k])
            continue;
        valvestat_[k + 1] = day.valves[k];
        // A pulsed valve's tap follows its timer from the next second.
        greenhouse_.taps[k] = day.valves[k] == OutputState::on;
    }
    for (std::size_t n = 0; n < timerCount; ++n)
        if (const auto& t = day.timers[n])
            timers_[n] = *t;
    if (day.setPointsSet) {
        greenhouse_.lowSetPoint = day.low;
        greenhouse_.highSetPoint = day.high;
    }
    return std::max(firstDay.pendingAfter(second), 0);
}

void Simulation::apply(int line)
{
    const RowEffect effect = rowEffect(program.sched()[static_cast<std::size_t>(line)]);
    for (std::size_t k = 0; k < outputCount; ++k) {
        if (effect.lights[k])
            greenhouse_.lamps[k] = *effect.lights[k];
        if (const auto& valve = effect.valves[k]) {
            valvestat_[k + 1] = *valve;
            // A pulsed valve's tap follows its timer from the next second.
            if (!OutputState::isPulsed(*valve))
                greenhouse_.taps[k] = *valve == OutputState::on;
        }
    }
    if (effect.setPoints)
        std::tie(greenhouse_.lowSetPoint, greenhouse_.highSetPoint) = *effect.setPoints;
    if (effect.timer)
        timers_[effect.timer->first] = effect.timer->second;
}

void Simulation::switchOn()
{
    // A second that has turned but not been ticked is ticked first, as it would have
    // been before the switch: its tick would otherwise step it again.
    tick();
    switchTo(true);
    sim();
}

void Simulation::switchOff()
{
    switchTo(false);
    code.hide(program);
    // No line is pending any more; left marked, the index would mark whatever line
    // holds it in the next code shown.
    code.highlighted = -1;
}

void Simulation::switchTo(bool on)
{
    simrun_ = on;
    panel_.redLight = !on;
    panel_.greenLight = on;
    panel_.switchCaption = on ? simOnCaption : simOffCaption;
    panel_.simOffChecked = !on;
    panel_.simOnChecked = on;
    greenhouse_.shown = on;
    simready_ = false;
}

// The toolkit's own flip is left out, so a click (a press, then a release on the
// switch) is one flip and the caption always names the tick. As with the written
// handlers and the toolkit's flip together, a release elsewhere changes nothing.
void Simulation::fanPressed() { fanPressed_ = true; }

void Simulation::fanReleased(bool overSwitch)
{
    if (!std::exchange(fanPressed_, false) || !overSwitch)
        return;
    panel_.fanTicked = !panel_.fanTicked;
    panel_.fanCaption = panel_.fanTicked ? "On" : "Off";
}

void Simulation::toggleForceLights()
{
    const bool forcing = panel_.forceCaption == forceLights;
    panel_.warningSign = forcing;
    panel_.forceCaption = forcing ? unforce : forceLights;
}

} // namespace fh
