#include "files/export.h"

#include "compiler/daydiff.h"
#include "language/latin1.h"
#include "language/terms.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

namespace fh {

namespace {

constexpr std::string_view crlf = "\r\n";

// An iCalendar TEXT value: backslash, semicolon, comma and line ends escaped.
std::string icsText(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            out.append(1, '\\').append(1, c);
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string twoDigits(long long n)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", n);
    return text;
}

// A floating local date-time: day 1 is `first`, a second from its midnight on.
std::string localTime(std::chrono::sys_days first, long long second)
{
    const long long days = second >= 0 ? second / secondsPerDay : -((-second + secondsPerDay - 1) / secondsPerDay);
    const long long of = second - days * secondsPerDay;
    const std::chrono::year_month_day date{first + std::chrono::days(days)};
    return std::to_string(static_cast<int>(date.year())) + twoDigits(static_cast<unsigned>(date.month())) +
           twoDigits(static_cast<unsigned>(date.day())) + "T" + twoDigits(of / 3600) + twoDigits(of / 60 % 60) +
           twoDigits(of % 60);
}

std::string utcStamp(std::chrono::sys_seconds stamp)
{
    const auto day = std::chrono::floor<std::chrono::days>(stamp);
    return localTime(day, (stamp - day).count()) + "Z";
}

// FNV-1a: the same text gives the same UIDs from run to run and machine to machine.
std::string hashText(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char out[20];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash));
    return out;
}

std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string summaryOf(const OnStretch& stretch)
{
    std::string summary = capitalised(dayItemName(stretch.item));
    if (!stretch.times)
        return summary + " " + stretch.value;
    return summary + " pulsed " + stretch.value + " " + plainNumber(stretch.times->on) + " s / " +
           plainNumber(stretch.times->off) + " s";
}

// The VCD identifier of the waveform's signal k: printable characters from '!'.
std::string vcdId(std::size_t k) { return std::string(1, static_cast<char>('!' + k)); }

} // namespace

std::string icsContentLine(std::string_view line)
{
    constexpr std::size_t most = 75;
    std::string out;
    std::size_t room = most;
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        // Text that is no UTF-8 is cut where it must be.
        if (cut == 0)
            cut = room;
        out.append(line.substr(0, cut)).append(crlf).append(" ");
        line.remove_prefix(cut);
        room = most - 1;
    }
    return out.append(line).append(crlf);
}

std::string csvRow(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::string& field = fields[k];
        out += k ? "," : "";
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            out += field;
            continue;
        }
        out += '"';
        for (const char c : field)
            out.append(c == '"' ? 2 : 1, c);
        out += '"';
    }
    return out.append(crlf);
}

std::string dayCsv(const DayReasons& reasons, const Display& display)
{
    const bool manyDays = reasons.days() > 1;
    std::vector<std::string> header{"time", "item", "from", "to", "line"};
    if (manyDays)
        header.emplace_back("day");
    std::string out = csvRow(header);
    for (const DayChange& change : reasons.changes(display)) {
        std::vector<std::string> row{display.time(change.at.second), dayItemName(change.item),
                                     utf8FromLatin1(change.from), utf8FromLatin1(change.to),
                                     utf8FromLatin1(reasons.filed(change.line).text)};
        if (manyDays)
            row.push_back(std::to_string(change.at.day + 1));
        out += csvRow(row);
    }
    return out;
}

std::string dayCalendar(const DayReasons& reasons, const Display& display, std::chrono::year_month_day first,
                        std::chrono::sys_seconds stamp, std::string_view file)
{
    // The file's own name, without its folder.
    const std::string_view name = file.substr(file.rfind('/') + 1);
    const std::chrono::sys_days day1{first};
    const long long cycle = reasons.cycleSeconds();
    const std::string uidEnd =
        "-" + hashText(std::string(name) + "\n" + localTime(day1, 0)) + "@fernhollow";
    std::string rule = "RRULE:FREQ=DAILY";
    if (reasons.days() > 1)
        rule += ";INTERVAL=" + std::to_string(reasons.days());
    std::string out = icsContentLine("BEGIN:VCALENDAR");
    out += icsContentLine("VERSION:2.0");
    out += icsContentLine("PRODID:-//Fernhollow//Greenhouse day//EN");
    out += icsContentLine("CALSCALE:GREGORIAN");
    for (const OnStretch& stretch : reasons.onStretches(display)) {
        // One over the cycle's end begins the turn before, so day 1 is whole.
        const long long start = stretch.start + stretch.length > cycle ? stretch.start - cycle : stretch.start;
        std::string item = dayItemName(stretch.item);
        std::erase(item, ' ');
        const auto startDay = static_cast<long long>(stretch.start / secondsPerDay) + 1;
        out += icsContentLine("BEGIN:VEVENT");
        out += icsContentLine("UID:" + item + "-d" + std::to_string(startDay) + "-" +
                      localTime(day1, stretch.start % secondsPerDay).substr(9) + uidEnd);
        out += icsContentLine("DTSTAMP:" + utcStamp(stamp));
        out += icsContentLine("DTSTART:" + localTime(day1, start));
        out += icsContentLine("DTEND:" + localTime(day1, start + stretch.length));
        out += icsContentLine(rule);
        out += icsContentLine("SUMMARY:" + icsText(utf8FromLatin1(summaryOf(stretch))));
        if (stretch.line >= 0)
            out += icsContentLine("DESCRIPTION:" + icsText(utf8FromLatin1(filedLineText(reasons.filed(stretch.line)))));
        out += icsContentLine("END:VEVENT");
    }
    out += icsContentLine("END:VCALENDAR");
    return out;
}

std::string dayWaveform(const DayReasons& reasons, const Display& display)
{
    const long long cycle = reasons.cycleSeconds();
    const auto& days = reasons.cycle().days();
    // The seconds of the cycle at which lines act.
    std::vector<long long> acts;
    for (std::size_t d = 0; d < days.size(); ++d)
        for (const Act& act : days[d].acts())
            acts.push_back(static_cast<long long>(d) * secondsPerDay + act.second);
    const auto stateAt = [&](long long tick) -> const DayState& {
        return days[static_cast<std::size_t>(tick / secondsPerDay)].at(static_cast<int>(tick % secondsPerDay));
    };

    constexpr std::size_t lowSignal = 2 * outputCount;
    std::vector<std::pair<long long, std::string>> changes;
    // Lights and set-points change only when a line acts.
    std::array<std::string, lowSignal + 2> last;
    const auto record = [&](long long tick, std::size_t signal, std::string value) {
        if (value == last[signal])
            return;
        last[signal] = value;
        const bool real = signal >= lowSignal;
        changes.emplace_back(tick, real ? "r" + value + " " + vcdId(signal) : value + vcdId(signal));
    };
    const auto steady = [&](long long tick) {
        const DayState& state = stateAt(tick);
        for (std::size_t k = 0; k < outputCount; ++k)
            record(tick, k, state.lights[k] ? "1" : "0");
        record(tick, lowSignal, display.setPointValue(state.low));
        record(tick, lowSignal + 1, display.setPointValue(state.high));
    };
    steady(0);
    for (const long long tick : acts)
        steady(tick);
    // A valve follows its timer between the lines: from one change of the timer's
    // phase to the next.
    for (std::size_t k = 0; k < outputCount; ++k) {
        auto nextAct = acts.begin();
        for (long long tick = 0; tick < cycle;) {
            record(tick, outputCount + k, reasons.valveOpen(k, tick) ? "1" : "0");
            nextAct = std::upper_bound(nextAct, acts.end(), tick);
            const long long until = nextAct == acts.end() ? cycle : *nextAct;
            const bool atLine = tick == 0 || std::binary_search(acts.begin(), acts.end(), tick);
            long long jump = until;
            const double valve = stateAt(tick).valves[k];
            if (const auto timer = pulsingTimer(valve); timer && !atLine)
                jump = std::min(until, tick + reasons.timerPhase(*timer, tick).left.value_or(cycle));
            tick = atLine ? tick + 1 : std::max(tick + 1, jump);
        }
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string out = "$version Fernhollow $end\n$timescale 1 s $end\n$scope module greenhouse $end\n";
    for (std::size_t k = 0; k < lowSignal; ++k) {
        std::string item = dayItemName(static_cast<int>(k));
        std::replace(item.begin(), item.end(), ' ', '_');
        out += "$var wire 1 " + vcdId(k) + " " + item + " $end\n";
    }
    out += "$var real 64 " + vcdId(lowSignal) + " low $end\n";
    out += "$var real 64 " + vcdId(lowSignal + 1) + " high $end\n";
    out += "$upscope $end\n$enddefinitions $end\n";
    long long shown = -1;
    for (const auto& [tick, change] : changes) {
        if (tick != shown) {
            // Appended piece by piece: "#" + std::to_string() trips GCC 12's -Wrestrict.
            if (shown < 0)
                out += "#0\n$dumpvars\n";
            else
                out.append(shown == 0 ? "$end\n#" : "#").append(std::to_string(tick)).append("\n");
            shown = tick;
        }
        out += change + "\n";
    }
    out += shown == 0 ? "$end\n" : "";
    // The end of the turn, so a viewer shows the last stretch whole.
    out.append("#").append(std::to_string(cycle)).append("\n");
    return out;
}

} // namespace fh
