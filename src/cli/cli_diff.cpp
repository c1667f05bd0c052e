#include "cli/commands.h"
#include "cli/output.h"
#include "compiler/daydiff.h"
#include "language/latin1.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace fh::cli {

namespace {

// A program file's lists, with its notes and its midnight-wrap findings said on
// `err`; none, with the reason said, when it cannot be read.
std::optional<CommandLists> listsOf(const std::string& path, const Parsed& args, std::ostream& err,
                                    const Devices& devices)
{
    auto read = readOrReport(path, err, devices.files);
    if (!read)
        return std::nullopt;
    writeNotes(path, read->notes, err);
    warnMidnightWrap(path, read->lists, args.display, err);
    return std::move(read->lists);
}

void jsonLines(output::Json& json, std::string_view name, const std::vector<std::string>& lines)
{
    json.key(name).beginArray();
    for (const std::string& line : lines)
        json.string(utf8FromLatin1(line));
    json.endArray();
}

void writeJson(const DayComparison& c, std::ostream& out, const Display& display)
{
    output::Json json(out);
    json.beginObject().key("same").boolean(c.same()).key("differences").beginArray();
    for (const DayDifference& d : c.differences) {
        // A set-point reads "21.1 °C" in °C; JSON takes the number alone.
        const auto value = [&](std::string_view name, const std::string& v) {
            json.key(name);
            if (dayItemIsNumber(d.item))
                json.number(v.substr(0, v.find(' ')));
            else
                json.string(utf8FromLatin1(v));
        };
        json.beginObject();
        if (d.day > 0)
            json.key("day").number(d.day);
        json.key("from").string(display.time(d.from)).key("to").string(dayEnd(d.to, display));
        json.key("what").string(dayItemName(d.item));
        value("a", d.a);
        value("b", d.b);
        json.endObject();
    }
    json.endArray();
    jsonLines(json, "only_a", c.onlyA);
    jsonLines(json, "only_b", c.onlyB);
    json.endObject().end();
}

void writeText(const DayComparison& c, const Parsed& args, std::ostream& out)
{
    const Display& display = args.display;
    for (const DayDifference& d : c.differences)
        out << differenceLine(d, display) << '\n';
    const auto only = [&](const std::string& path, const std::vector<std::string>& lines) {
        if (lines.empty())
            return;
        out << "only in " << path << ":\n";
        for (const std::string& line : lines)
            output::line(out << "  ", line);
    };
    only(args.operands[0], c.onlyA);
    only(args.operands[1], c.onlyB);
    for (const auto& [a, b] : c.totals)
        out << utf8FromLatin1(a) << " \u2192 " << utf8FromLatin1(b) << '\n';
}

} // namespace

int diff(const Parsed& args, Streams io, const Devices& devices)
{
    const auto a = listsOf(args.operands[0], args, io.err, devices);
    const auto b = a ? listsOf(args.operands[1], args, io.err, devices) : std::nullopt;
    if (!b)
        return 2;
    StreamMessages messagesA(io.err, args.operands[0]), messagesB(io.err, args.operands[1]);
    const auto programA = dayProgram(*a, messagesA);
    const auto programB = programA ? dayProgram(*b, messagesB) : std::nullopt;
    if (!programA || !programB)
        return 2;
    const DayComparison comparison = compareDays(*programA, *a, *programB, *b, args.display);
    if (comparison.days > 1)
        io.err << "the controller runs " << args.operands[0] << " over " << comparison.daysA
               << (comparison.daysA == 1 ? " day" : " days") << " and " << args.operands[1]
               << " over " << comparison.daysB << (comparison.daysB == 1 ? " day" : " days") << "; compared over "
               << comparison.days << " days\n";
    if (formatIs(args, "json"))
        writeJson(comparison, io.out, args.display);
    else
        writeText(comparison, args, io.out);
    return comparison.same() ? 0 : 1;
}

} // namespace fh::cli
