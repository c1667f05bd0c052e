#include "compiler/rowrule.h"

#include "language/terms.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace fh {

namespace {

std::optional<std::size_t> timerIndex(double number)
{
    // Clamped past both ends, so a number outside 1..6 stays outside.
    const long long n = roundHalfEven(number, 0, timerCount + 1);
    if (n < 1 || n > timerCount)
        return std::nullopt;
    return static_cast<std::size_t>(n - 1);
}

// The timer's count at a second of its run, and its period: the count's remainder by
// the period picks the phase. nearbyint rounds halves to even; fmod is exact and takes
// the sign of the dividend, whatever the size of the times (a period beyond the
// largest double is infinite, and the remainder is then the dividend, as it should be).
double countAt(const TimerTimes& t, int simsecs) { return std::nearbyint(simsecs + t.phase); }
double periodOf(const TimerTimes& t) { return std::max(1.0, std::nearbyint(t.on + t.off)); }

// How far the count must rise from `count` before the phase can change: the on phase
// is the counts 0 .. ceil(on) - 1 of each period, and every negative count; NaN when
// the times follow no such pattern.
double riseToChange(const TimerTimes& t, double count)
{
    const double period = periodOf(t);
    const double onCounts = std::ceil(t.on);
    if (!(t.on > 0))
        return std::nan("");
    if (onCounts >= period)
        return HUGE_VAL;
    if (count < 0)
        return onCounts - count;
    const double within = std::fmod(count, period);
    return within < t.on ? onCounts - within : period - within;
}

} // namespace

bool inOnPhase(const TimerTimes& t, int simsecs) { return std::fmod(countAt(t, simsecs), periodOf(t)) < t.on; }

int phaseChange(const TimerTimes& t, int from, int to)
{
    const bool on = inOnPhase(t, from);
    for (int s = from + 1; s < to;) {
        if (inOnPhase(t, s) != on)
            return s;
        // The count rises by at most one more than the seconds (a half rounds either
        // way), so the seconds before the change less two are all still in this phase.
        const double rise = riseToChange(t, countAt(t, s));
        const double skip = std::isnan(rise) ? 1 : std::clamp(rise - 2, 1.0, static_cast<double>(to - s));
        s += static_cast<int>(skip);
    }
    return to;
}

std::optional<std::size_t> pulsingTimer(double state)
{
    if (!OutputState::isPulsed(state))
        return std::nullopt;
    // The timer list's item, counted from 0, is what gets rounded.
    const long long item = roundHalfEven(OutputState::timerOf(state) - 1, -1, timerCount);
    if (item < 0 || item >= timerCount)
        return std::nullopt;
    return static_cast<std::size_t>(item);
}

RowEffect rowEffect(const ScheduleRow& row)
{
    RowEffect effect;
    const auto* text = std::get_if<std::string>(&row[column::letter]);
    const std::string_view letter = text ? trim(*text) : std::string_view();
    if (letter == "T") {
        effect.setPoints = std::pair{cellValue(row[column::low]), cellValue(row[column::high])};
        return effect;
    }
    if (letter != "L" && letter != "W")
        return effect;
    bool pulses = false;
    for (int k = 1; k <= outputCount; ++k) {
        const double v = cellValue(row[column::output(k)]);
        const auto out = static_cast<std::size_t>(k - 1);
        const bool steady = v == OutputState::on || v == OutputState::off;
        if (letter == "L" && steady)
            effect.lights[out] = v == OutputState::on;
        else if (letter == "W" && (steady || OutputState::isPulsed(v)))
            effect.valves[out] = v;
        pulses = pulses || (letter == "W" && OutputState::isPulsed(v));
    }
    const double on = cellValue(row[column::pulseOn]);
    if (const auto n = timerIndex(OutputState::timerOf(cellValue(row[column::mode]))); pulses && on > 0 && n)
        effect.timer = std::pair{*n, TimerTimes{on, cellValue(row[column::pulseOff]), cellValue(row[column::phase])}};
    return effect;
}

} // namespace fh
