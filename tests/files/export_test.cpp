// The day's exports hold to their standards where the parsers that read them are
// lenient: CR LF line ends, folding at 75 octets, stable unique UIDs, declared VCD
// identifiers and time that never goes back; and they say what the day does.

#include "compiler/sun.h"
#include "files/export.h"

#include "compiler/day.h"
#include "compiler/daydiff.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fh {
namespace {

using namespace std::chrono;

struct Read {
    Program program;
    CommandLists lists;
};

Read compiled(const CommandLists& lists)
{
    doubles::RecordingMessageBox messages;
    return {dayProgram(lists, messages).value(), lists};
}

const CommandLists greenhouse{{{"T,00:00:00,62,66", "T,10:00:00,72,80"},
                               {"L,05:30:00,1/2,ON", "L,21:30:00,1/2,OFF", "L,22:00:00,3,ON", "L,06:00:00,3,OFF"},
                               {"W,08:00:00,1,P1,5S,595S", "W,18:00:00,1,OFF", "W,13:00:00,6,ON", "W,13:05:00,6,OFF"}}};

// Lines ended by CR LF only, without their ends.
std::vector<std::string> crlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a last line without CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "a bare line end in " << lines.back();
        at = end + 2;
    }
    return lines;
}

std::chrono::year_month_day dateOf(const char* text)
{
    return std::chrono::year_month_day(sys_days(std::chrono::days(parseDate(text).value().days)));
}

TEST(ExportCsv, OneRowPerChangeWithItsLineQuoted)
{
    const Read read = compiled(greenhouse);
    const DayReasons reasons(read.program, read.lists);
    const std::vector<std::string> rows = crlfLines(dayCsv(reasons, Display{}));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), "time,item,from,to,line");
    EXPECT_EQ(rows.size(), reasons.changes(Display{}).size() + 1);
    const std::set<std::string> has(rows.begin(), rows.end());
    EXPECT_TRUE(has.contains("08:00:00,valve 1,off,P1,\"W,08:00:00,1,P1,5S,595S\""));
    EXPECT_TRUE(has.contains("10:00:00,low,62,72,\"T,10:00:00,72,80\""));
    // The timer keeps its times from the day before: no change of it.
    EXPECT_EQ(std::ranges::count_if(rows, [](const std::string& row) { return row.find(",timer 1,") != std::string::npos; }), 0);
}

TEST(ExportCsv, ADayColumnOnlyForACycleOfDays)
{
    // A second line at the same second waits a day: the program repeats every 2 days.
    const Read read = compiled({{{}, {"L,06:00:00,1,ON", "L,06:00:00,1,OFF"}, {}}});
    const DayReasons reasons(read.program, read.lists);
    ASSERT_EQ(reasons.days(), 2U);
    const std::vector<std::string> rows = crlfLines(dayCsv(reasons, Display{}));
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0], "time,item,from,to,line,day");
    EXPECT_TRUE(rows[1].ends_with(",1") && rows[2].ends_with(",2")) << rows[1] << " / " << rows[2];
}

TEST(ExportCalendar, ContentLinesFoldAt75OctetsNeverInsideACharacter)
{
    const struct {
        std::string line;
        const char* why;
    } rows[] = {
        {std::string(75, 'a'), "75 octets stay one line"},
        {std::string(76, 'a'), "76 octets fold"},
        {std::string(74, 'a') + "\xC3\xA9" + std::string(80, 'b'), "a two-octet character at the cut"},
        {std::string(300, 'x'), "many continuations"},
        {std::string(100, '\x80'), "no UTF-8: cut where it must be"},
    };
    for (const auto& row : rows) {
        const std::vector<std::string> parts = crlfLines(icsContentLine(row.line));
        std::string unfolded;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            EXPECT_LE(parts[k].size(), 75U) << row.why;
            if (k > 0) {
                ASSERT_TRUE(parts[k].starts_with(" ")) << row.why;
                if (row.line[0] != '\x80') {
                    EXPECT_NE(static_cast<unsigned char>(parts[k][1]) & 0xC0, 0x80) << row.why;
                }
            }
            unfolded += k > 0 ? parts[k].substr(1) : parts[k];
        }
        EXPECT_EQ(unfolded, row.line) << row.why;
        EXPECT_EQ(parts.size() > 1, row.line.size() > 75) << row.why;
    }
}

// The calendar's content lines unfolded, each as NAME and value.
std::vector<std::pair<std::string, std::string>> properties(const std::string& ics)
{
    std::vector<std::pair<std::string, std::string>> out;
    std::string line;
    for (const std::string& part : crlfLines(ics)) {
        EXPECT_LE(part.size(), 75U) << part;
        if (part.starts_with(" ")) {
            line += part.substr(1);
            continue;
        }
        if (!line.empty())
            out.emplace_back(line.substr(0, line.find(':')), line.substr(line.find(':') + 1));
        line = part;
    }
    out.emplace_back(line.substr(0, line.find(':')), line.substr(line.find(':') + 1));
    return out;
}

TEST(ExportCalendar, EventsAreTheStretchesWithStableUniqueUids)
{
    const Read read = compiled(greenhouse);
    const DayReasons reasons(read.program, read.lists);
    const auto date = dateOf("2026-03-01");
    const std::string ics = dayCalendar(reasons, Display{}, date, sys_days{date} + hours(9), "greenhouse.fhp");
    const auto props = properties(ics);
    ASSERT_GE(props.size(), 4U);
    EXPECT_EQ(props[0], (std::pair<std::string, std::string>{"BEGIN", "VCALENDAR"}));
    EXPECT_EQ(props.back(), (std::pair<std::string, std::string>{"END", "VCALENDAR"}));
    std::map<std::string, int> count;
    std::set<std::string> uids;
    std::vector<std::map<std::string, std::string>> events;
    for (const auto& [name, value] : props) {
        ++count[name];
        if (name == "BEGIN" && value == "VEVENT")
            events.emplace_back();
        else if (!events.empty() && name != "END")
            events.back()[name] = value;
        if (name == "UID") {
            EXPECT_TRUE(uids.insert(value).second) << "UID twice: " << value;
        }
    }
    EXPECT_EQ(count["VERSION"], 1);
    EXPECT_EQ(count["PRODID"], 1);
    // Lights 1 and 2 from 05:30, light 3 over midnight, valve 1 pulsed, valve 6.
    ASSERT_EQ(events.size(), 5U);
    std::map<std::string, std::map<std::string, std::string>> bySummary;
    for (const auto& event : events) {
        EXPECT_EQ(event.at("DTSTAMP"), "20260301T090000Z");
        EXPECT_EQ(event.at("RRULE"), "FREQ=DAILY");
        bySummary[event.at("SUMMARY")] = event;
    }
    EXPECT_EQ(bySummary.at("Light 1 on").at("DTSTART"), "20260301T053000");
    EXPECT_EQ(bySummary.at("Light 1 on").at("DTEND"), "20260301T213000");
    // Over midnight: one event, begun the evening before so that day 1 is whole.
    EXPECT_EQ(bySummary.at("Light 3 on").at("DTSTART"), "20260228T220000");
    EXPECT_EQ(bySummary.at("Light 3 on").at("DTEND"), "20260301T060000");
    const auto& pulsed = bySummary.at("Valve 1 pulsed P1 5 s / 595 s");
    EXPECT_EQ(pulsed.at("DTSTART"), "20260301T080000");
    EXPECT_EQ(pulsed.at("DTEND"), "20260301T180000");
    EXPECT_EQ(pulsed.at("DESCRIPTION"), "W\\,08:00:00\\,1\\,P1\\,5S\\,595S (water line 1)");

    // Another export of the same file on the same date, at another time: the same UIDs.
    const std::string again = dayCalendar(reasons, Display{}, date, sys_days{date} + hours(20), "greenhouse.fhp");
    std::set<std::string> uidsAgain;
    for (const auto& [name, value] : properties(again))
        if (name == "UID")
            uidsAgain.insert(value);
    EXPECT_EQ(uidsAgain, uids);
    // Another file's events are its own.
    for (const auto& [name, value] : properties(dayCalendar(reasons, Display{}, date, sys_days{date}, "other.fhp")))
        if (name == "UID") {
            EXPECT_FALSE(uids.contains(value)) << value;
        }
}

TEST(ExportCalendar, ACycleOfDaysRepeatsByItsInterval)
{
    const Read read = compiled({{{}, {"L,06:00:00,1,ON", "L,06:00:00,1,OFF"}, {}}});
    const DayReasons reasons(read.program, read.lists);
    const auto date = dateOf("2026-12-31");
    const auto props = properties(dayCalendar(reasons, Display{}, date, sys_days{date}, "p.fhp"));
    std::vector<std::string> rules, starts, ends;
    for (const auto& [name, value] : props) {
        if (name == "RRULE")
            rules.push_back(value);
        if (name == "DTSTART")
            starts.push_back(value);
        if (name == "DTEND")
            ends.push_back(value);
    }
    EXPECT_EQ(rules, std::vector<std::string>{"FREQ=DAILY;INTERVAL=2"});
    EXPECT_EQ(starts, std::vector<std::string>{"20261231T060000"});
    EXPECT_EQ(ends, std::vector<std::string>{"20270101T060000"});
}

// The one reader of dates, which the command's --date and lines by the sun share.
TEST(ExportDate, OnlyRealDates)
{
    EXPECT_TRUE(parseDate("2024-02-29"));
    for (const char* bad : {"2023-02-29", "2026-13-01", "2026-1-01", "2026-01-00", "20260101", "0000-01-01", "2026-01-0x"})
        EXPECT_FALSE(parseDate(bad)) << bad;
}

TEST(ExportWaveform, DeclaredIdsTimeForwardAndThePulses)
{
    const Read read = compiled(greenhouse);
    const DayReasons reasons(read.program, read.lists);
    const std::string vcd = dayWaveform(reasons, Display{});
    std::istringstream in(vcd);
    std::set<std::string> declared;
    std::map<std::string, std::string> names;
    long long time = -1;
    bool definitions = true;
    std::map<std::string, int> rises;
    for (std::string line; std::getline(in, line);) {
        if (definitions) {
            if (line.starts_with("$var ")) {
                std::istringstream words(line);
                std::string var, type, size, id, name;
                words >> var >> type >> size >> id >> name;
                EXPECT_TRUE(declared.insert(id).second) << "declared twice: " << line;
                names[id] = name;
            }
            definitions = line != "$enddefinitions $end";
            continue;
        }
        if (line.starts_with("#")) {
            const long long at = std::stoll(line.substr(1));
            EXPECT_GT(at, time) << "time goes back at " << line;
            time = at;
        } else if (line.starts_with("r")) {
            EXPECT_TRUE(declared.contains(line.substr(line.find(' ') + 1))) << line;
        } else if (line == "$dumpvars" || line == "$end") {
        } else {
            ASSERT_GE(line.size(), 2U);
            const std::string id = line.substr(1);
            EXPECT_TRUE(declared.contains(id)) << "undeclared: " << line;
            EXPECT_TRUE(line[0] == '0' || line[0] == '1') << line;
            if (line[0] == '1' && time > 0)
                ++rises[names[id]];
        }
    }
    EXPECT_TRUE(vcd.find("$timescale 1 s $end") != std::string::npos);
    EXPECT_EQ(declared.size(), 14U);
    EXPECT_EQ(time, secondsPerDay);
    // 08:00 to 18:00 pulsed 5 s every 600 s.
    EXPECT_EQ(rises["valve_1"], 60);
    EXPECT_EQ(rises["valve_6"], 1);
    EXPECT_EQ(rises["light_3"], 1);
}

} // namespace
} // namespace fh
