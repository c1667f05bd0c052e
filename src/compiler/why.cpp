#include "compiler/why.h"

#include "compiler/rowrule.h"
#include "language/datcheck.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace fh {

namespace {

constexpr int firstValve = outputCount;
constexpr int firstTimer = 2 * outputCount;
constexpr int lowItem = 3 * outputCount;

// The controller's count of seconds for its timers goes 0 .. 86400, then from 0 again.
constexpr long long timerRun = secondsPerDay + 1LL;

std::array<bool, dayItemCount> itemsNamed(const RowEffect& effect)
{
    std::array<bool, dayItemCount> names{};
    for (std::size_t k = 0; k < outputCount; ++k) {
        names[k] = effect.lights[k].has_value();
        names[k + firstValve] = effect.valves[k].has_value();
    }
    if (effect.timer)
        names[effect.timer->first + firstTimer] = true;
    names[lowItem] = names[lowItem + 1] = effect.setPoints.has_value();
    return names;
}

// Each compiled line's place among `filed`: the compile combines its source's lists in
// order and sorts them by time; a source of the checked lines skips the failing ones.
std::vector<FiledLine> filedLinesOf(const Program& program, const CommandLists& filed)
{
    const CommandLists& source = program.source();
    std::vector<std::string> combined;
    std::vector<std::pair<std::size_t, std::size_t>> places;
    for (std::size_t list = 0; list < source.size(); ++list) {
        std::vector<std::size_t> numbers;
        if (source[list] == filed[list]) {
            for (std::size_t i = 0; i < filed[list].size(); ++i)
                numbers.push_back(i);
        } else {
            for (std::size_t i = 0; i < filed[list].size(); ++i)
                if (datcheck(filed[list][i]).dataok)
                    numbers.push_back(i);
        }
        for (std::size_t j = 0; j < source[list].size(); ++j) {
            combined.push_back(source[list][j]);
            places.emplace_back(list, j < numbers.size() ? numbers[j] : j);
        }
    }
    const auto lines = std::min<std::size_t>(combined.size(), static_cast<std::size_t>(std::max(program.proglast() + 1, 0)));
    std::vector<std::size_t> order(lines);
    timeOrder(std::span<const std::string>(combined.data(), lines), order);
    std::vector<FiledLine> out;
    for (const std::size_t at : order) {
        const auto [list, index] = places[at];
        out.push_back({list, index + 1, index < filed[list].size() ? filed[list][index] : combined[at]});
    }
    return out;
}

bool isPulsedBy(double valve, std::optional<std::size_t>& timer)
{
    timer = pulsingTimer(valve);
    return OutputState::isPulsed(valve);
}

// A timer's times as the state before a second's line leaves them.
TimerTimes timesIn(const DayState& before, std::size_t timer)
{
    return before.timers[timer].value_or(startTimer(timer));
}

// The second the controller is switched on, no timer has ticked yet.
bool onAt(const TimerTimes& times, long long tick)
{
    return tick > 0 && inOnPhase(times, static_cast<int>(tick % timerRun));
}

// The first of `steps` (step numbers in order) met going back over the cycle from step
// `at` (-1 before the first) for which `pick` holds, `at` itself first.
template <class Pick>
std::optional<std::size_t> lastFrom(const std::vector<std::size_t>& steps, long long at, Pick pick)
{
    const auto split =
        at < 0 ? steps.begin() : std::upper_bound(steps.begin(), steps.end(), static_cast<std::size_t>(at));
    for (auto i = split; i != steps.begin();)
        if (pick(*--i))
            return *i;
    for (auto i = steps.end(); i != split;)
        if (pick(*--i))
            return *i;
    return std::nullopt;
}

// The first of `steps` met going on over the cycle after step `at` for which `pick` holds.
template <class Pick>
std::optional<std::size_t> firstAfter(const std::vector<std::size_t>& steps, long long at, Pick pick)
{
    const auto split =
        at < 0 ? steps.begin() : std::upper_bound(steps.begin(), steps.end(), static_cast<std::size_t>(at));
    for (auto i = split; i != steps.end(); ++i)
        if (pick(*i))
            return *i;
    for (auto i = steps.begin(); i != split; ++i)
        if (pick(*i))
            return *i;
    return std::nullopt;
}

} // namespace

std::string_view listName(std::size_t list)
{
    static constexpr std::array<std::string_view, 3> names{"temperature", "lights", "water"};
    return list < names.size() ? names[list] : "";
}

std::string filedLineText(const FiledLine& line)
{
    return line.text + " (" + std::string(listName(line.list)) + " line " + std::to_string(line.number) + ")";
}

std::string byLineText(const FiledLine& line) { return "by " + filedLineText(line); }

std::string reasonText(const DayReasons& reasons, const Reason& reason)
{
    return reason.line < 0 ? "not set by the program: starts " + reason.value : byLineText(reasons.filed(reason.line));
}

std::string itemReasonText(const DayReasons& reasons, const Reason& reason)
{
    return dayItemName(reason.item) + "  " + reasonText(reasons, reason);
}

DayReasons::DayReasons(const Program& program, const CommandLists& filed)
    : cycle_(program), filed_(filedLinesOf(program, filed))
{
    const int lines = std::min(program.proglast() + 1, progCapacity);
    for (int i = 0; i < lines; ++i)
        names_.push_back(itemsNamed(rowEffect(program.sched()[static_cast<std::size_t>(i)])));
    const auto& days = cycle_.days();
    for (std::size_t d = 0; d < days.size(); ++d) {
        dayBegin_.push_back(steps_.size());
        for (const Act& act : days[d].acts())
            steps_.push_back({{d, act.second}, act.line, &days[d].at(act.second - 1), &days[d].at(act.second)});
    }
    for (std::size_t k = 0; k < steps_.size(); ++k)
        for (int item = 0; item < dayItemCount; ++item) {
            const auto index = static_cast<std::size_t>(item);
            if (names_[static_cast<std::size_t>(steps_[k].line)][index])
                naming_[index].push_back(k);
            if (!sameDayItem(*steps_[k].before, *steps_[k].after, item))
                moving_[index].push_back(k);
        }
    for (const Step& step : steps_) {
        const long long after = static_cast<long long>(step.at.day) * secondsPerDay + step.at.second + 1;
        for (std::size_t n = 0; n < timerCount; ++n)
            if (step.before->timers[n] != step.after->timers[n])
                timerChanges_[n].push_back(after);
    }
}

const FiledLine& DayReasons::filed(int line) const
{
    static const FiledLine none;
    return line >= 0 && static_cast<std::size_t>(line) < filed_.size() ? filed_[static_cast<std::size_t>(line)] : none;
}

long long DayReasons::stepAt(std::size_t day, int second) const
{
    const std::size_t begin = dayBegin_[day];
    const std::size_t end = day + 1 < dayBegin_.size() ? dayBegin_[day + 1] : steps_.size();
    const auto found = std::upper_bound(steps_.begin() + static_cast<std::ptrdiff_t>(begin),
                                        steps_.begin() + static_cast<std::ptrdiff_t>(end), second,
                                        [](int s, const Step& step) { return s < step.at.second; });
    return static_cast<long long>(found - steps_.begin()) - 1;
}

bool DayReasons::changes(const Step& step, int item, const Display& display) const
{
    return !sameDayItem(*step.before, *step.after, item) &&
           dayItemValue(*step.before, item, display) != dayItemValue(*step.after, item, display);
}

Reason DayReasons::why(std::size_t day, int second, int item, const Display& display) const
{
    Reason reason;
    reason.item = item;
    const auto& days = cycle_.days();
    if (day >= days.size() || second < 0 || second >= secondsPerDay || item < 0 || item >= dayItemCount)
        return reason;
    const DayState& state = days[day].at(second);
    reason.value = dayItemValue(state, item, display);
    const long long at = stepAt(day, second);
    const auto index = static_cast<std::size_t>(item);
    if (const auto k = lastFrom(naming_[index], at, [](std::size_t) { return true; }))
        reason.line = steps_[*k].line;
    const auto changing = [&](std::size_t k) { return changes(steps_[k], item, display); };
    if (const auto k = lastFrom(moving_[index], at, changing))
        reason.since = steps_[*k].at;
    if (const auto k = firstAfter(moving_[index], at, changing))
        reason.next = ItemChange{steps_[*k].at, dayItemValue(*steps_[*k].after, item, display), steps_[*k].line};
    const long long tick = static_cast<long long>(day) * secondsPerDay + second;
    if (item >= firstTimer && item < lowItem)
        reason.pulse = timerPhase(index - firstTimer, tick);
    std::optional<std::size_t> timer;
    if (item >= firstValve && item < firstTimer && isPulsedBy(state.valves[index - firstValve], timer) && timer)
        reason.pulse = timerPhase(*timer, tick);
    return reason;
}

const DayState& DayReasons::stateBefore(long long tick) const
{
    const long long cycleTick = tick % cycleSeconds();
    const auto day = static_cast<std::size_t>(cycleTick / secondsPerDay);
    return cycle_.days()[day].at(static_cast<int>(cycleTick % secondsPerDay) - 1);
}

TimerTimes DayReasons::timesAt(std::size_t timer, long long tick) const
{
    // The timers tick before the line of the second acts.
    return timesIn(stateBefore(tick), timer);
}

bool DayReasons::timerOnAt(std::size_t timer, long long tick) const { return onAt(timesAt(timer, tick), tick); }

long long DayReasons::nextTimesChange(std::size_t timer, long long tick) const
{
    const std::vector<long long>& at = timerChanges_[timer];
    if (at.empty())
        return std::numeric_limits<long long>::max();
    const long long cycle = cycleSeconds();
    const long long base = tick - tick % cycle;
    const auto later = std::upper_bound(at.begin(), at.end(), tick % cycle);
    return later == at.end() ? base + cycle + at.front() : base + *later;
}

PulsePhase DayReasons::timerPhase(std::size_t timer, long long tick) const
{
    PulsePhase phase{timerOnAt(timer, tick), std::nullopt};
    // Beyond a turn of the cycle and of the timers' count, nothing new comes.
    const long long limit = tick + cycleSeconds() + timerRun + 1;
    long long t = tick;
    while (t < limit) {
        if (t > tick && timerOnAt(timer, t) != phase.on) {
            phase.left = t - tick;
            return phase;
        }
        if (t == 0) {
            t = 1;
            continue;
        }
        const long long end = std::min({limit, (t / timerRun + 1) * timerRun, nextTimesChange(timer, t)});
        const auto from = static_cast<int>(t % timerRun);
        const auto to = static_cast<int>(from + (end - t));
        const int change = phaseChange(timesAt(timer, t), from, to);
        if (change < to) {
            phase.left = t + (change - from) - tick;
            return phase;
        }
        t = end;
    }
    return phase;
}

bool DayReasons::valveOpen(std::size_t valve, long long tick) const
{
    const long long cycleTick = tick % cycleSeconds();
    const auto day = static_cast<std::size_t>(cycleTick / secondsPerDay);
    const auto second = static_cast<int>(cycleTick % secondsPerDay);
    // One search finds the state and the one before it: a line acts alone in its
    // second, and without a line the state is as it was.
    const long long at = stepAt(day, second);
    const Step* step = at >= static_cast<long long>(dayBegin_[day]) ? &steps_[static_cast<std::size_t>(at)] : nullptr;
    const bool acts = step && step->at.second == second;
    const DayState& state = step ? *step->after : cycle_.days()[day].at(-1);
    const DayState& before = acts ? *step->before : state;
    const double now = state.valves[valve];
    // Switched on with the program's state: open only when on.
    if (tick == 0)
        return now == OutputState::on;
    if (acts && names_[static_cast<std::size_t>(step->line)][valve + firstValve] && !OutputState::isPulsed(now))
        return now == OutputState::on;
    // The timers tick first, and a valve follows its timer from the second after a
    // line pulses it.
    std::optional<std::size_t> timer;
    if (isPulsedBy(before.valves[valve], timer))
        return timer && onAt(timesIn(before, *timer), tick);
    return before.valves[valve] == OutputState::on;
}

std::vector<DayChange> DayReasons::changes(const Display& display) const
{
    std::vector<DayChange> out;
    for (const Step& step : steps_)
        for (int item = 0; item < dayItemCount; ++item)
            if (changes(step, item, display))
                out.push_back({step.at, item, dayItemValue(*step.before, item, display),
                               dayItemValue(*step.after, item, display), step.line});
    return out;
}

std::vector<OnStretch> DayReasons::onStretches(const Display& display) const
{
    std::vector<OnStretch> out;
    const long long cycle = cycleSeconds();
    const auto tickOf = [](const CycleSecond& at) {
        return static_cast<long long>(at.day) * secondsPerDay + at.second;
    };
    for (int item = 0; item < firstTimer; ++item) {
        const auto index = static_cast<std::size_t>(item);
        // What makes a stretch: the value and a pulsed valve's timer times.
        const auto key = [&](const DayState& state) -> std::pair<std::string, std::optional<TimerTimes>> {
            std::string value = dayItemValue(state, item, display);
            if (value == "off")
                return {};
            std::optional<std::size_t> timer;
            if (item >= firstValve && isPulsedBy(state.valves[index - firstValve], timer) && timer)
                return {value, state.timers[*timer].value_or(startTimer(*timer))};
            return {value, std::nullopt};
        };
        struct Cut {
            long long tick;
            std::pair<std::string, std::optional<TimerTimes>> key;
            int line;
        };
        std::vector<Cut> cuts;
        for (const Step& step : steps_) {
            auto now = key(*step.after);
            if (now != key(*step.before))
                cuts.push_back(Cut{tickOf(step.at), std::move(now), step.line});
        }
        if (cuts.empty()) {
            auto all = key(cycle_.days().front().at(-1));
            if (!all.first.empty())
                out.push_back({item, 0, cycle, all.first, all.second, why(0, 0, item, display).line});
            continue;
        }
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            if (cuts[i].key.first.empty())
                continue;
            const long long end = i + 1 < cuts.size() ? cuts[i + 1].tick : cuts.front().tick + cycle;
            out.push_back({item, cuts[i].tick, end - cuts[i].tick, cuts[i].key.first, cuts[i].key.second, cuts[i].line});
        }
    }
    return out;
}

std::optional<int> dayItemNamed(std::string_view name)
{
    std::string plain;
    for (const char c : name)
        if (c != ' ')
            plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int item = 0; item < dayItemCount; ++item) {
        std::string known = dayItemName(item);
        std::erase(known, ' ');
        if (known == plain)
            return item;
    }
    return std::nullopt;
}

} // namespace fh
