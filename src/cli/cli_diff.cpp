#include "cli/commands.h"
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

std::string jsonLines(const std::vector<std::string>& lines)
{
    std::string out = "[";
    for (std::size_t k = 0; k < lines.size(); ++k)
        out.append(k ? "," : "").append(jsonString(lines[k]));
    return out + ']';
}

void writeJson(const DayComparison& c, std::ostream& out, const Display& display)
{
    out << "{\"same\":" << (c.same() ? "true" : "false") << ",\"differences\":[";
    for (std::size_t k = 0; k < c.differences.size(); ++k) {
        const DayDifference& d = c.differences[k];
        // A set-point reads "21.1 °C" in °C; JSON takes the number alone.
        const auto value = [&](const std::string& v) {
            return dayItemIsNumber(d.item) ? v.substr(0, v.find(' ')) : jsonString(v);
        };
        out << (k ? "," : "") << '{';
        if (d.day > 0)
            out << "\"day\":" << d.day << ',';
        out << "\"from\":\"" << display.time(d.from) << "\",\"to\":\"" << dayEnd(d.to, display)
            << "\",\"what\":\"" << dayItemName(d.item) << "\",\"a\":" << value(d.a) << ",\"b\":" << value(d.b)
            << '}';
    }
    out << "],\"only_a\":" << jsonLines(c.onlyA) << ",\"only_b\":" << jsonLines(c.onlyB) << "}\n";
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
            out << "  " << utf8FromLatin1(line) << '\n';
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
