#include "compiler/listorder.h"

#include "compiler/day.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace fh {

namespace {

constexpr std::size_t namedLines = 10;
// After every time of the day.
constexpr int noTime = std::numeric_limits<int>::max();

int timeOf(std::string_view line)
{
    const std::size_t from = line.find(',');
    if (from == std::string_view::npos)
        return noTime;
    const std::string_view rest = line.substr(from + 1);
    return secondOfDay(rest.substr(0, rest.find(','))).value_or(noTime);
}

} // namespace

std::optional<std::string> sortByTime(CommandLists& lists)
{
    std::vector<std::pair<int, const std::string*>> timed;
    for (const auto& list : lists)
        for (const auto& line : list)
            if (const int second = timeOf(line); second != noTime)
                timed.emplace_back(second, &line);
    std::ranges::stable_sort(timed, {}, &std::pair<int, const std::string*>::first);

    std::vector<const std::string*> shared;
    for (std::size_t i = 0; i < timed.size(); ++i) {
        const bool withPrevious = i > 0 && timed[i - 1].first == timed[i].first;
        const bool withNext = i + 1 < timed.size() && timed[i + 1].first == timed[i].first;
        if (withPrevious || withNext)
            shared.push_back(timed[i].second);
    }
    if (!shared.empty()) {
        std::string message(notSorted);
        for (std::size_t i = 0; i < shared.size() && i < namedLines; ++i)
            message += "\n" + *shared[i];
        if (shared.size() > namedLines)
            message += "\nand " + std::to_string(shared.size() - namedLines) + " more";
        return message;
    }

    for (auto& list : lists)
        std::ranges::stable_sort(list, {}, [](const std::string& line) { return timeOf(line); });
    return std::nullopt;
}

} // namespace fh
