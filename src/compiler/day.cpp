#include "compiler/day.h"

#include "language/datcheck.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace fh {

namespace {

void apply(const RowEffect& effect, DayState& state)
{
    for (std::size_t k = 0; k < outputCount; ++k) {
        if (effect.lights[k]) {
            state.lights[k] = *effect.lights[k];
            state.lightSet[k] = true;
        }
        if (effect.valves[k]) {
            state.valves[k] = *effect.valves[k];
            state.valveSet[k] = true;
        }
    }
    if (effect.setPoints) {
        std::tie(state.low, state.high) = *effect.setPoints;
        state.setPointsSet = true;
    }
    if (effect.timer)
        state.timers[effect.timer->first] = effect.timer->second;
}

// One day of the controller from the line pending at 00:00:00: it applies the
// pending line in its second and moves on; a line whose second has passed waits for
// the next day. No line can act twice in a day: that would need every line's second
// later than the one before, all the way round.
std::vector<Act> walkDay(const std::vector<std::optional<int>>& seconds, int& pending)
{
    std::vector<Act> acts;
    const int lines = static_cast<int>(seconds.size());
    int earliest = 0;
    for (int k = 0; k < lines; ++k) {
        const auto& second = seconds[static_cast<std::size_t>(pending)];
        if (!second || *second < earliest)
            break;
        acts.push_back({*second, pending});
        earliest = *second + 1;
        pending = (pending + 1) % lines;
    }
    return acts;
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
    // The seconds it ran before this day: the controller's pulses go on over midnight.
    int before = 0;
};

bool sameStretch(const Stretch& a, const Stretch& b) { return a.timer == b.timer && a.times == b.times; }

int openSeconds(const Stretch& s)
{
    return s.timer == 0 ? 0 : pulsedOpenSeconds(s.times, s.before + s.seconds) - pulsedOpenSeconds(s.times, s.before);
}

Stretch stretchOf(const DayState& state, std::size_t valve)
{
    Stretch stretch;
    if (const auto item = pulsingTimer(state.valves[valve])) {
        stretch.timer = static_cast<long long>(*item) + 1;
        stretch.times = state.timers[*item].value_or(unsetTimer);
    }
    return stretch;
}

void pulseFor(const DayState& state, int seconds, std::array<Stretch, outputCount>& stretches, DayTotals& totals)
{
    if (seconds <= 0)
        return;
    for (std::size_t k = 0; k < outputCount; ++k) {
        Stretch now = stretchOf(state, k);
        Stretch& running = stretches[k];
        if (sameStretch(running, now)) {
            running.seconds += seconds;
            continue;
        }
        totals.valvesOpen[k] += openSeconds(running);
        now.seconds = seconds;
        running = now;
    }
}

bool allDark(const DayState& state) { return std::ranges::none_of(state.lights, [](bool on) { return on; }); }

int secondOfAnyDay(int second) { return (second % secondsPerDay + secondsPerDay) % secondsPerDay; }

// Each stretch of the day in one state, in order, from the state at 00:00:00 (once a
// line of that second has acted) to 24:00:00.
template <class Hold>
void eachStretch(const DayStates& day, Hold hold)
{
    int from = 0;
    const DayState* state = &day.at(0);
    for (const int second : day.changes()) {
        if (second > from)
            hold(*state, from, second);
        from = second;
        state = &day.at(second);
    }
    hold(*state, from, secondsPerDay);
}

// How long the lights are all off from 00:00:00 on, and up to 24:00:00; each the whole
// day when no light is ever on.
struct DarkEnds {
    int first = 0;
    int last = 0;
};

DarkEnds darkEnds(const DayStates& day)
{
    DarkEnds ends{secondsPerDay, secondsPerDay};
    std::optional<int> lastLit;
    eachStretch(day, [&](const DayState& state, int from, int to) {
        if (allDark(state))
            return;
        ends.first = std::min(ends.first, from);
        lastLit = to;
    });
    if (lastLit)
        ends.last = secondsPerDay - *lastLit;
    return ends;
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
    return compile(checkedLines(lists), Midnight(), messages);
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

Cycle::Cycle(const Program& program)
{
    const int lines = std::min(program.proglast() + 1, progCapacity);
    if (lines <= 0) {
        days_.emplace_back();
        return;
    }
    std::vector<std::optional<int>> seconds;
    for (int i = 0; i < lines; ++i)
        seconds.push_back(secondOfDay(program.sched()[static_cast<std::size_t>(i)][column::time]));
    std::vector<RowEffect> effects;
    for (int i = 0; i < lines; ++i)
        effects.push_back(rowEffect(program.sched()[static_cast<std::size_t>(i)]));

    // Day by day from a controller waiting for line 0 at midnight, until a day starts
    // with a line pending that an earlier day started with: the cycle is from there.
    std::vector<int> dayOfStart(static_cast<std::size_t>(lines), -1);
    std::vector<int> starts;
    std::vector<std::vector<Act>> walked;
    int pending = 0;
    while (dayOfStart[static_cast<std::size_t>(pending)] < 0) {
        dayOfStart[static_cast<std::size_t>(pending)] = static_cast<int>(walked.size());
        starts.push_back(pending);
        walked.push_back(walkDay(seconds, pending));
    }
    const auto first = static_cast<std::size_t>(dayOfStart[static_cast<std::size_t>(pending)]);

    // Over a whole cycle the controller goes round the code a whole number of times,
    // so every line that acts at all acts in it: after the days before the cycle and
    // one turn of it, the state is the one day 1 starts in.
    DayState state;
    for (std::size_t d = 0; d < walked.size(); ++d)
        for (const Act& act : walked[d])
            apply(effects[static_cast<std::size_t>(act.line)], state);
    for (std::size_t d = first; d < walked.size(); ++d)
        for (const Act& act : walked[d])
            apply(effects[static_cast<std::size_t>(act.line)], state);

    for (std::size_t d = first; d < walked.size(); ++d) {
        DayStates& day = days_.emplace_back();
        day.start = state;
        day.startPending = starts[d];
        for (const Act& act : walked[d]) {
            apply(effects[static_cast<std::size_t>(act.line)], state);
            day.after.push_back({act, (act.line + 1) % lines, state});
        }
    }
    for (std::size_t d = 0; d < days_.size(); ++d)
        for (std::size_t k = 0; k < outputCount; ++k)
            days_[d].carried[k] = stretchBefore(d, k);

    // The dark of the days around, back and on until a light goes on (or the cycle ends).
    const std::size_t n = days_.size();
    std::vector<DarkEnds> ends;
    for (const DayStates& day : days_)
        ends.push_back(darkEnds(day));
    for (std::size_t d = 0; d < n; ++d)
        for (std::size_t step = 1; step <= n; ++step) {
            const int last = ends[(d + n - step) % n].last;
            days_[d].darkBefore += last;
            if (last < secondsPerDay)
                break;
        }
    for (std::size_t d = 0; d < n; ++d)
        for (std::size_t step = 1; step <= n; ++step) {
            const int opening = ends[(d + step) % n].first;
            days_[d].darkAfter += opening;
            if (opening < secondsPerDay)
                break;
        }
}

// How long valve `k`'s pulsing as day `d` starts has gone on: back to the line of the
// days before that began it. One that never changes is counted from midnight.
int Cycle::stretchBefore(std::size_t d, std::size_t k) const
{
    const Stretch now = stretchOf(days_[d].start, k);
    int seconds = 0;
    for (std::size_t back = 1; back <= days_.size(); ++back) {
        const DayStates& day = days_[(d + days_.size() - back) % days_.size()];
        for (std::size_t i = day.after.size(); i-- > 0;) {
            const DayState& before = i > 0 ? day.after[i - 1].state : day.start;
            if (!sameStretch(stretchOf(before, k), now))
                return seconds + secondsPerDay - day.after[i].act.second;
        }
        seconds += secondsPerDay;
    }
    return 0;
}

const DayState& DayStates::at(int second) const
{
    const auto next = std::upper_bound(after.begin(), after.end(), second,
                                       [](int s, const After& a) { return s < a.act.second; });
    return next == after.begin() ? start : std::prev(next)->state;
}

int DayStates::pendingAfter(int second) const
{
    const auto next = std::upper_bound(after.begin(), after.end(), second,
                                       [](int s, const After& a) { return s < a.act.second; });
    return next == after.begin() ? startPending : std::prev(next)->pending;
}

std::vector<int> DayStates::changes() const
{
    std::vector<int> seconds;
    seconds.reserve(after.size());
    for (const After& a : after)
        seconds.push_back(a.act.second);
    return seconds;
}

std::vector<Act> DayStates::acts() const
{
    std::vector<Act> acts;
    acts.reserve(after.size());
    for (const After& a : after)
        acts.push_back(a.act);
    return acts;
}

std::string cycleDayHeading(std::size_t day, std::size_t days)
{
    return "day " + std::to_string(day) + " of " + std::to_string(days);
}

DayTotals totalsOf(const DayStates& day)
{
    const DayState& first = day.at(0);
    DayTotals totals;
    totals.lowMin = totals.lowMax = first.low;
    totals.highMin = totals.highMax = first.high;
    totals.longestDark = {0, {}, {}};
    std::array<Stretch, outputCount> stretches{};
    // The stretch running as the day begins, before a line at 00:00:00 acts.
    for (std::size_t k = 0; k < outputCount; ++k) {
        stretches[k] = stretchOf(day.start, k);
        stretches[k].before = day.carried[k];
    }
    std::optional<int> darkFrom;
    const auto darkUntil = [&](int to) {
        // A stretch that meets midnight goes on over it, as long as the days around keep dark.
        const int before = *darkFrom == 0 ? day.darkBefore : 0;
        const int after = to == secondsPerDay ? day.darkAfter : 0;
        DayTotals::Dark dark{to - *darkFrom + before + after, secondOfAnyDay(*darkFrom - before),
                             secondOfAnyDay(to + after)};
        if (*darkFrom == 0 && to == secondsPerDay)
            dark = {};
        if (dark.seconds > totals.longestDark.seconds)
            totals.longestDark = dark;
        darkFrom.reset();
    };
    eachStretch(day, [&](const DayState& state, int from, int to) {
        holdFor(state, to - from, totals);
        pulseFor(state, to - from, stretches, totals);
        if (!allDark(state) && darkFrom)
            darkUntil(from);
        else if (allDark(state) && !darkFrom)
            darkFrom = from;
    });
    if (darkFrom)
        darkUntil(secondsPerDay);
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
