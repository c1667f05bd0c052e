#include "checks/feedback.h"

#include "language/latin1.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace fh {

namespace {

using Key = std::tuple<std::string_view, std::string_view, std::string_view>;

Key keyOf(const Finding& f, const CommandLists& lists)
{
    std::string_view line;
    if (f.item && f.item->list < lists.size() && f.item->index < lists[f.item->list].size())
        line = lists[f.item->list][f.item->index];
    return {f.code, f.message, line};
}

std::string counted(std::size_t count, std::string_view noun)
{
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

} // namespace

std::vector<Finding> filedFindings(Finding::Item at, Checked before, Checked now)
{
    std::vector<Finding> told;
    std::map<Key, std::size_t> had;
    for (const Finding& f : before.findings)
        ++had[keyOf(f, before.lists)];
    std::vector<Finding> elsewhere;
    for (const Finding& f : now.findings) {
        const auto known = had.find(keyOf(f, now.lists));
        const bool isNew = known == had.end() || known->second == 0;
        if (!isNew)
            --known->second;
        if (f.item == at)
            told.push_back(f);
        else if (isNew)
            elsewhere.push_back(f);
    }
    told.insert(told.end(), elsewhere.begin(), elsewhere.end());
    std::ranges::stable_sort(told, {}, &Finding::severity);
    return told;
}

std::string filedStatus(std::string_view filed, const std::vector<std::string>& readings,
                        const std::vector<Finding>& told, const std::vector<Finding>& program)
{
    std::string text = "Filed " + utf8FromLatin1(filed);
    for (std::size_t i = 0; i < readings.size(); ++i)
        text += (i == 0 ? " (" : ", ") + utf8FromLatin1(readings[i]);
    text += readings.empty() ? ": " : "): ";
    if (told.empty()) {
        text += "no findings";
    } else {
        text += std::string(severityName(told.front().severity)) + ": " + utf8FromLatin1(told.front().message);
        if (told.size() > 1)
            text += " (+" + std::to_string(told.size() - 1) + " more)";
    }
    const auto errors = static_cast<std::size_t>(std::ranges::count(program, Finding::Error, &Finding::severity));
    return text + " \u2014 Program checks: " + counted(errors, "error") + ", " +
           counted(program.size() - errors, "warning") + " \u2014 F7";
}

} // namespace fh
