#include "cli/commands.h"
#include "cli/output.h"
#include "compiler/daydiff.h"
#include "compiler/why.h"
#include "language/latin1.h"

#include <charconv>
#include <ostream>
#include <string>
#include <vector>

namespace fh::cli {

namespace {

// The JSON of this command: values as `diff` writes them (set-points as bare numbers).
namespace json {

void value(output::Json& json, int item, const std::string& text)
{
    if (dayItemIsNumber(item))
        json.number(text.substr(0, text.find(' ')));
    else
        json.string(utf8FromLatin1(text));
}

void line(output::Json& json, const DayReasons& reasons, int number)
{
    if (number < 0) {
        json.key("line").null().key("list").null().key("number").null();
        return;
    }
    const FiledLine& filed = reasons.filed(number);
    json.key("line").string(utf8FromLatin1(filed.text)).key("list").string(listName(filed.list));
    json.key("number").number(filed.number);
}

void reason(output::Json& json, const DayReasons& reasons, const Reason& r, const Display& display)
{
    const bool manyDays = reasons.days() > 1;
    json.beginObject().key("item").string(dayItemName(r.item)).key("value");
    value(json, r.item, r.value);
    json.key("since");
    if (r.since)
        json.string(display.time(r.since->second));
    else
        json.null();
    if (manyDays && r.since)
        json.key("since_day").number(r.since->day + 1);
    line(json, reasons, r.line);
    json.key("next");
    if (r.next) {
        json.beginObject().key("at").string(display.time(r.next->at.second));
        if (manyDays)
            json.key("day").number(r.next->at.day + 1);
        json.key("value");
        value(json, r.item, r.next->value);
        line(json, reasons, r.next->line);
        json.endObject();
    } else {
        json.null();
    }
    json.key("pulse");
    if (r.pulse) {
        json.beginObject().key("phase").string(r.pulse->on ? "on" : "off").key("left");
        if (r.pulse->left)
            json.number(*r.pulse->left);
        else
            json.null();
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
}

} // namespace json

// "day 2 18:00:00" on a cycle of more days, else the time alone.
std::string when(const DayReasons& reasons, const CycleSecond& at, const Display& display)
{
    return (reasons.days() > 1 ? "day " + std::to_string(at.day + 1) + " " : std::string()) + display.time(at.second);
}

std::string textLine(const DayReasons& reasons, const Reason& r, const Display& display)
{
    std::string item = dayItemName(r.item);
    item.resize(std::max<std::size_t>(item.size(), 8), ' ');
    std::string out = item + "  " + r.value;
    if (r.pulse)
        out += std::string(" (") + (r.pulse->on ? "on" : "off") +
               (r.pulse->left ? ", " + std::to_string(*r.pulse->left) + " s left" : std::string()) + ")";
    if (r.line < 0)
        return out + "  " + reasonText(reasons, r);
    out += r.since ? "  since " + when(reasons, *r.since, display) : reasons.days() > 1 ? "  every day" : "  all day";
    out.append(" ").append(reasonText(reasons, r)); // not " " + …: GCC 12 warns falsely of overlap
    if (r.next)
        out += "; next " + when(reasons, r.next->at, display) + " " + r.next->value + " " +
               byLineText(reasons.filed(r.next->line));
    return out;
}

// The items named after the file, "valve 1" in one word or two; all when none is.
std::optional<std::vector<int>> itemsOf(const Args& operands, std::ostream& err)
{
    std::vector<int> items;
    for (std::size_t i = 1; i < operands.size(); ++i) {
        if (const auto item = dayItemNamed(operands[i])) {
            items.push_back(*item);
        } else if (const auto two = i + 1 < operands.size() ? dayItemNamed(operands[i] + " " + operands[i + 1])
                                                             : std::nullopt) {
            items.push_back(*two);
            ++i;
        } else {
            err << "fernhollow: there is no item '" << operands[i]
                << "': name light 1 to 6, valve 1 to 6, timer 1 to 6, low or high\n";
            return std::nullopt;
        }
    }
    if (operands.size() == 1)
        for (int item = 0; item < dayItemCount; ++item)
            items.push_back(item);
    return items;
}

} // namespace

std::optional<int> parseDay(const std::string& text)
{
    int day = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), day);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || day < 1 || day > progCapacity)
        return std::nullopt;
    return day;
}

int why(const Parsed& args, Streams io, const Devices& devices)
{
    const int second = parseClock(args.values.at("--at")).value();
    const auto items = itemsOf(args.operands, io.err);
    if (!items)
        return 2;
    const std::string& path = args.operands.front();
    const auto cycle = cycleOrReport(path, io.err, devices.files);
    if (!cycle)
        return 2;
    const DayReasons& reasons = cycle->reasons;
    const auto given = args.values.find("--day");
    const int day = given == args.values.end() ? 1 : parseDay(given->second).value();
    if (static_cast<std::size_t>(day) > reasons.days()) {
        io.err << "fernhollow: " << path << " repeats every " << reasons.days()
               << (reasons.days() == 1 ? " day" : " days") << ": there is no day " << day << '\n';
        return 2;
    }
    const Display& display = args.display;
    const auto d = static_cast<std::size_t>(day - 1);
    if (formatIs(args, "json")) {
        output::Json json(io.out);
        json.beginObject().key("at").string(display.time(second));
        if (reasons.days() > 1)
            json.key("day").number(day).key("cycle_days").number(static_cast<long long>(reasons.days()));
        json.key("items").beginArray();
        for (const int item : *items)
            json::reason(json, reasons, reasons.why(d, second, item, display), display);
        json.endArray().endObject().end();
        return 0;
    }
    if (reasons.days() > 1)
        io.out << "day " << day << " of " << reasons.days() << '\n';
    io.out << "at " << display.time(second) << '\n';
    for (const int item : *items)
        io.out << utf8FromLatin1(textLine(reasons, reasons.why(d, second, item, display), display)) << '\n';
    return 0;
}

} // namespace fh::cli
