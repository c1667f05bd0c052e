#include "compiler/daydiff.h"

#include "compiler/house.h"

#include "language/latin1.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <numeric>
#include <array>
#include <optional>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace fh {

namespace {

constexpr int firstValve = outputCount;
constexpr int firstTimer = 2 * outputCount;
constexpr int lowItem = 3 * outputCount;

std::size_t indexIn(int item, int first) { return static_cast<std::size_t>(item - first); }

TimerTimes timerOf(const DayState& state, int item)
{
    return state.timers[indexIn(item, firstTimer)].value_or(unsetTimer);
}

} // namespace

bool sameDayItem(const DayState& x, const DayState& y, int item)
{
    if (item < firstValve)
        return x.lights[indexIn(item, 0)] == y.lights[indexIn(item, 0)];
    if (item < firstTimer)
        return x.valves[indexIn(item, firstValve)] == y.valves[indexIn(item, firstValve)];
    if (item < lowItem) {
        const TimerTimes tx = timerOf(x, item), ty = timerOf(y, item);
        return tx.on == ty.on && tx.off == ty.off;
    }
    return item == lowItem ? x.low == y.low : x.high == y.high;
}

namespace {

// The seconds at which either day may change, from midnight on.
std::vector<int> changeSeconds(const DayStates& a, const DayStates& b)
{
    std::vector<int> seconds{0};
    for (const DayStates* day : {&a, &b}) {
        const std::vector<int> changes = day->changes();
        seconds.insert(seconds.end(), changes.begin(), changes.end());
    }
    std::sort(seconds.begin(), seconds.end());
    seconds.erase(std::unique(seconds.begin(), seconds.end()), seconds.end());
    return seconds;
}

bool blank(const std::string& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

std::vector<std::string> unmatched(const CommandLists& from, const CommandLists& against)
{
    std::unordered_map<std::string_view, int> held;
    held.reserve(against[0].size() + against[1].size() + against[2].size());
    for (const auto& list : against)
        for (const std::string& line : list)
            if (!blank(line))
                ++held[line];
    std::vector<std::string> left;
    for (const auto& list : from)
        for (const std::string& line : list) {
            if (blank(line))
                continue;
            const auto found = held.find(line);
            if (found != held.end() && found->second > 0)
                --found->second;
            else
                left.push_back(line);
        }
    return left;
}

// Two days walked once, stretch by stretch between the seconds at which either may
// change: their differences, each marked with `day`.
void differencesOf(const DayStates& daysA, const DayStates& daysB, int day, const Display& display,
                   std::vector<DayDifference>& differences)
{
    const std::vector<int> cuts = changeSeconds(daysA, daysB);
    std::array<std::optional<DayDifference>, dayItemCount> open;
    const auto close = [&](std::optional<DayDifference>& difference) {
        if (difference)
            differences.push_back(std::move(*difference));
        difference.reset();
    };
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const int from = cuts[i];
        const int to = i + 1 < cuts.size() ? cuts[i + 1] : secondsPerDay;
        const DayState& x = daysA.at(from);
        const DayState& y = daysB.at(from);
        for (int item = 0; item < dayItemCount; ++item) {
            auto& current = open[static_cast<std::size_t>(item)];
            if (sameDayItem(x, y, item)) {
                close(current);
                continue;
            }
            std::string readA = dayItemValue(x, item, display), readB = dayItemValue(y, item, display);
            if (readA == readB) {
                close(current);
            } else if (current && current->a == readA && current->b == readB) {
                current->to = to;
            } else {
                close(current);
                current = DayDifference{day, from, to, item, std::move(readA), std::move(readB)};
            }
        }
    }
    for (auto& difference : open)
        close(difference);
}

} // namespace

std::string dayItemName(int item)
{
    if (item < firstValve)
        return "light " + std::to_string(item + 1);
    if (item < firstTimer)
        return "valve " + std::to_string(item - firstValve + 1);
    if (item < lowItem)
        return "timer " + std::to_string(item - firstTimer + 1);
    return item == lowItem ? "low" : "high";
}

bool dayItemIsNumber(int item) { return item >= lowItem; }

std::string dayItemValue(const DayState& state, int item, const Display& display)
{
    if (item < firstValve)
        return state.lights[indexIn(item, 0)] ? "on" : "off";
    if (item < firstTimer)
        return display.valveState(state.valves[indexIn(item, firstValve)]);
    if (item < lowItem) {
        const TimerTimes times = timerOf(state, item);
        return plainNumber(times.on) + '/' + plainNumber(times.off);
    }
    return display.setPoint(item == lowItem ? state.low : state.high);
}

std::pair<std::vector<std::string>, std::vector<std::string>> linesOnlyIn(const CommandLists& a,
                                                                         const CommandLists& b)
{
    return {unmatched(a, b), unmatched(b, a)};
}

DayComparison compareDays(const Program& a, const CommandLists& listsA, const Program& b, const CommandLists& listsB,
                          const Display& display)
{
    DayComparison comparison;
    const Cycle cycleA(a), cycleB(b);
    comparison.daysA = cycleA.days().size();
    comparison.daysB = cycleB.days().size();
    comparison.days = std::lcm(comparison.daysA, comparison.daysB);
    const bool manyDays = comparison.days > 1;
    for (std::size_t d = 0; d < comparison.days; ++d) {
        const DayStates& dayA = cycleA.days()[d % comparison.daysA];
        const DayStates& dayB = cycleB.days()[d % comparison.daysB];
        const int day = manyDays ? static_cast<int>(d + 1) : 0;
        differencesOf(dayA, dayB, day, display, comparison.differences);
        const std::string mark = manyDays ? "day " + std::to_string(d + 1) + ": " : std::string();
        const std::vector<std::string> totalsA = totalsLines(totalsOf(dayA), House{}, display);
        const std::vector<std::string> totalsB = totalsLines(totalsOf(dayB), House{}, display);
        for (std::size_t k = 0; k < totalsA.size() && k < totalsB.size(); ++k)
            if (totalsA[k] != totalsB[k])
                comparison.totals.emplace_back(mark + totalsA[k], mark + totalsB[k]);
    }
    std::sort(comparison.differences.begin(), comparison.differences.end(),
              [](const DayDifference& p, const DayDifference& q) {
                  return std::tie(p.day, p.from, p.item) < std::tie(q.day, q.from, q.item);
              });
    std::tie(comparison.onlyA, comparison.onlyB) = linesOnlyIn(listsA, listsB);
    return comparison;
}

std::string dayEnd(int second, const Display& display)
{
    return second >= secondsPerDay ? "24:00:00" : display.time(second);
}

std::string differenceLine(const DayDifference& difference, const Display& display, std::string_view dash,
                           std::string_view arrow)
{
    std::string item = dayItemName(difference.item);
    item.resize(std::max<std::size_t>(item.size(), 8), ' ');
    std::string line = difference.day > 0 ? "day " + std::to_string(difference.day) + "  " : std::string();
    line.append(display.time(difference.from));
    line.append(dash).append(dayEnd(difference.to, display)).append("  ").append(item).append("  ");
    return line.append(utf8FromLatin1(difference.a))
        .append(" ")
        .append(arrow)
        .append(" ")
        .append(utf8FromLatin1(difference.b));
}

} // namespace fh
