#include "compiler/rowrule.h"

#include "language/terms.h"

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

} // namespace

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
