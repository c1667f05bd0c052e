#include "compiler/day.h"

#include "language/datcheck.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fh {

namespace {

struct Event {
    int second;
    std::size_t line;
};

// The lines with a time, in the order they act.
std::vector<Event> eventsOf(const Program& program)
{
    std::vector<Event> events;
    for (int i = 0; i <= program.proglast() && i < progCapacity; ++i) {
        const auto line = static_cast<std::size_t>(i);
        if (const auto second = secondOfDay(program.sched()[line][column::time]))
            events.push_back({*second, line});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.second < b.second; });
    return events;
}

// A line acts as the simulation applies it: states other than off, on and pulsed
// leave an output as it was.
void act(const ScheduleRow& row, DayState& state)
{
    const auto* letter = std::get_if<std::string>(&row[column::letter]);
    if (!letter)
        return;
    if (*letter == "T") {
        state.low = cellValue(row[column::low]);
        state.high = cellValue(row[column::high]);
        state.setPointsSet = true;
        return;
    }
    bool pulses = false;
    for (int k = 1; k <= outputCount; ++k) {
        const double v = cellValue(row[column::output(k)]);
        const auto out = static_cast<std::size_t>(k - 1);
        const bool steady = v == OutputState::on || v == OutputState::off;
        if (*letter == "L" && steady) {
            state.lights[out] = v == OutputState::on;
            state.lightSet[out] = true;
        } else if (*letter == "W" && (steady || OutputState::isPulsed(v))) {
            state.valves[out] = v;
            state.valveSet[out] = true;
        }
        pulses = pulses || (*letter == "W" && OutputState::isPulsed(v));
    }
    // A pulsing line without a positive on time leaves its timer as it was.
    const long long n = roundHalfEven(OutputState::timerOf(cellValue(row[column::mode])), 0, timerCount + 1);
    if (pulses && cellValue(row[column::pulseOn]) > 0 && n >= 1 && n <= timerCount)
        state.timers[static_cast<std::size_t>(n - 1)] =
            TimerTimes{cellValue(row[column::pulseOn]), cellValue(row[column::pulseOff]), cellValue(row[column::phase])};
}

DayState dayStart(const Program& program, const std::vector<Event>& events)
{
    DayState state;
    for (const Event& e : events)
        act(program.sched()[e.line], state);
    return state;
}

void holdFor(const DayState& state, int seconds, DayTotals& totals)
{
    if (seconds <= 0)
        return;
    for (std::size_t k = 0; k < outputCount; ++k) {
        totals.lightsOn[k] += state.lights[k] ? seconds : 0;
        totals.valvesOn[k] += state.valves[k] == OutputState::on ? seconds : 0;
        totals.valvesPulsed[k] += OutputState::isPulsed(state.valves[k]) ? seconds : 0;
    }
    totals.lowMin = std::min(totals.lowMin, state.low);
    totals.lowMax = std::max(totals.lowMax, state.low);
    totals.highMin = std::min(totals.highMin, state.high);
    totals.highMax = std::max(totals.highMax, state.high);
}

// A stretch of the day in which a valve is pulsed by one timer with the same times.
struct Stretch {
    long long timer = 0; // 1..6; 0 while the valve is not pulsed by a timer
    TimerTimes times;
    int seconds = 0;
};

int openSeconds(const Stretch& s) { return s.timer == 0 ? 0 : pulsedOpenSeconds(s.times, s.seconds); }

void pulseFor(const DayState& state, int seconds, std::array<Stretch, outputCount>& stretches, DayTotals& totals)
{
    if (seconds <= 0)
        return;
    for (std::size_t k = 0; k < outputCount; ++k) {
        Stretch now;
        // The timer as the simulation picks it.
        const long long item = roundHalfEven(OutputState::timerOf(state.valves[k]) - 1, -1, timerCount);
        if (OutputState::isPulsed(state.valves[k]) && item >= 0 && item < timerCount) {
            now.timer = item + 1;
            now.times = state.timers[static_cast<std::size_t>(item)].value_or(unsetTimer);
        }
        Stretch& running = stretches[k];
        if (running.timer == now.timer && running.times == now.times) {
            running.seconds += seconds;
            continue;
        }
        totals.valvesOpen[k] += openSeconds(running);
        now.seconds = seconds;
        running = now;
    }
}

int twoDigits(std::string_view text, std::size_t at)
{
    const char hi = text[at], lo = text[at + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9')
        return -1;
    return (hi - '0') * 10 + (lo - '0');
}

} // namespace

CommandLists checkedLines(const CommandLists& lists)
{
    CommandLists checked;
    for (std::size_t k = 0; k < lists.size(); ++k)
        for (const std::string& line : lists[k])
            if (CheckResult r = datcheck(line); r.dataok)
                checked[k].push_back(std::move(r.cmdline));
    return checked;
}

std::optional<Program> dayProgram(const CommandLists& lists, MessageBox& messages)
{
    // The day does not depend on the line due next.
    class Midnight : public Clock {
    public:
        int secondsOfDay() const override { return 0; }
    };
    Program program;
    if (!program.compile(checkedLines(lists), messages, Midnight()))
        return std::nullopt;
    return program;
}

std::optional<int> secondOfDay(const Cell& time)
{
    const auto* text = std::get_if<std::string>(&time);
    return text ? secondOfDay(std::string_view(*text)) : std::nullopt;
}

std::optional<int> secondOfDay(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const int h = twoDigits(text, 0), m = twoDigits(text, 3), s = twoDigits(text, 6);
    if (h < 0 || h > 24 || m < 0 || m > 59 || s < 0 || s > 59)
        return std::nullopt;
    return (h % 24) * 3600 + m * 60 + s;
}

DayStates::DayStates(const Program& program)
{
    const std::vector<Event> events = eventsOf(program);
    start = dayStart(program, events);
    DayState state = start;
    after.reserve(events.size());
    for (const Event& e : events) {
        act(program.sched()[e.line], state);
        if (!after.empty() && after.back().first == e.second)
            after.back().second = state;
        else
            after.emplace_back(e.second, state);
    }
}

const DayState& DayStates::at(int second) const
{
    const auto next = std::upper_bound(after.begin(), after.end(), second,
                                       [](int s, const std::pair<int, DayState>& a) { return s < a.first; });
    return next == after.begin() ? start : std::prev(next)->second;
}

std::vector<int> DayStates::changes() const
{
    std::vector<int> seconds;
    seconds.reserve(after.size());
    for (const auto& [second, state] : after)
        seconds.push_back(second);
    return seconds;
}

DayState stateAt(const Program& program, int second) { return DayStates(program).at(second); }

DayTotals totalsOf(const Program& program)
{
    const std::vector<Event> events = eventsOf(program);
    DayState state = dayStart(program, events);
    DayTotals totals;
    totals.lowMin = totals.lowMax = state.low;
    totals.highMin = totals.highMax = state.high;
    std::array<Stretch, outputCount> stretches{};
    int from = 0;
    for (const Event& e : events) {
        holdFor(state, e.second - from, totals);
        pulseFor(state, e.second - from, stretches, totals);
        from = e.second;
        act(program.sched()[e.line], state);
    }
    holdFor(state, secondsPerDay - from, totals);
    pulseFor(state, secondsPerDay - from, stretches, totals);
    for (std::size_t k = 0; k < outputCount; ++k)
        totals.valvesOpen[k] += totals.valvesOn[k] + openSeconds(stretches[k]);
    return totals;
}

int pulsedOpenSeconds(const TimerTimes& times, int seconds)
{
    if (seconds <= 0)
        return 0;
    // A period longer than the stretch counts as one that long: the stretch holds one
    // on phase at most either way.
    const long long period = roundHalfEven(times.on + times.off, 1, secondsPerDay + 1LL);
    // The on seconds of a period are those before `on`: 0 .. ceil(on) - 1.
    const long long on = times.on >= static_cast<double>(period) ? period
                         : times.on > 0                          ? static_cast<long long>(std::ceil(times.on))
                                                                  : 0;
    return static_cast<int>(seconds / period * on + std::min(on, seconds % period));
}

} // namespace fh
