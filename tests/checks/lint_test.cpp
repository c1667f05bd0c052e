#include "checks/lint.h"
#include "compiler/day.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace fh {
namespace {

// "LINE CODE" for each finding, in the order given.
std::vector<std::string> places(const std::vector<Finding>& findings)
{
    std::vector<std::string> out;
    for (const Finding& f : findings)
        out.push_back(std::to_string(f.line) + " " + std::string(f.code));
    return out;
}

// `count` T lines a minute apart from midnight, in the T list.
std::string setPoints(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "T,0" + std::to_string(i / 60) + ":" + std::to_string(i % 60 / 10) + std::to_string(i % 10) +
               ":00,70,80\n";
    return out;
}

TEST(Lint, FindsEachMistakeAtItsLine)
{
    const struct {
        std::string file;
        std::vector<std::string> found;
        std::string says = {}; // part of the first finding's message
    } rows[] = {
        {"T,06:00:00,70,80\n==\nL,00:00:00,1,ON\nL,19:00:00,1,OFF\n==\nW,00:00:01,2,P1,5S,10M\n"
         "W,20:00:00,2,OFF,\nW,21:00:00,2,P2,1M,1M\nW,22:00:00,2,P2,60S,60S\n",
         {}},
        {"T,06:00:00,70,71\n\n", {"1 bad-line"}, "too close"},
        // Fault mended: blank lines were bad lines, and an empty file no finding at all.
        {"\n  \nT,06:00:00,70,71\n\nt,6,70,80\n", {"3 bad-line", "5 filed-anew"}},
        {"", {"1 empty-program"}, "no command line"},
        {"==\n\n==\n", {"1 empty-program"}},
        {"t,6,70,80\n", {"1 filed-anew"}, "T,06:00:00,70,80"},
        {"\xEF\xBB\xBFT,06:00:00,70,80\n", {"1 byte-order-mark"}, "a byte-order mark at the start was ignored"},
        {"==\n==\n==\nT,06:00:00,70,80\n  \n", {"1 empty-program", "4 not-loaded"}},
        {"L,07:00:00,1,OFF\n", {"1 wrong-section"}},
        // Fault mended: a valve switched on again while on went unmentioned.
        {"==\n==\nW,07:00:00,3,ON\nW,07:10:00,3/4,ON\nW,07:15:00,3/4,OFF\nW,23:00:00,3,ON\nW,23:30:00,3,OFF\n",
         {"4 overlap"}, "valve 3 is switched on at 07:10:00 while still on from 07:00:00"},
        {"==\n==\nW,23:00:00,3,ON\nW,01:00:00,3,ON\nW,02:00:00,3,OFF\n", {"4 overlap"}, "from 23:00:00"},
        {"T,00:00:00,70,80\n==\nL,00:00:00,1,OFF\n", {"1 same-time", "3 same-time"},
         "all but the first wait a day and hold back every later line"},
        {"T,24:00:00,70,80\n==\nL,00:00:00,1,OFF\n", {"1 same-time", "3 same-time"}},
        // Only a line that passes the check and is not at 24:MM:SS comes earlier.
        {"T,00:20:00,70,80\n==\nL,24:30:00,1,OFF\nL,24:10:00,1,ON\nL,24:00:00,2,OFF\nL,00:05:00,3,DIM\n",
         {"3 midnight-wrap", "6 bad-line"},
         "24:30:00 comes last in the code; the lines before 00:30:00 wait for it, so the program runs every second "
         "day; write 00:30:00"},
        {"==\nL,24:30:00,1,OFF\nL,00:30:00,1,OFF\nL,00:29:59,2,OFF\n",
         {"2 same-time", "2 midnight-wrap", "3 same-time"}},
        // Fault mended: a 24:MM:SS line later than every other line acts that same day.
        {"==\nL,00:00:10,1,ON\nL,24:00:30,1,OFF\n", {}},
        {"==\nL,00:29:00,1,ON\nL,24:25:00,1,OFF\nL,24:45:00,2,ON\nL,24:57:00,2,OFF\n",
         {"4 midnight-wrap", "5 midnight-wrap"}},
        {"==\nL,06:00:00,2.5,ON\nL,07:00:00,3,ON\nL,20:00:00,3,OFF\n", {"2 never-off"}, "light 2 is switched on"},
        {"==\n==\nW,06:00:00,3,P1,5S,10M\n", {"3 never-off"}, "valve 3 is pulsed"},
        {"==\nL,06:00:00,,ON\n==\nW,07:00:00,,P1,5S,10M\n", {"2 no-output", "4 no-output"},
         "names no light: the line does nothing"},
        {"==\n==\nW,06:00:00,1,P1,1M,10M\nW,07:00:00,2,P1,60S,600S\nW,08:00:00,3,P1,5S,10M\n"
         "W,09:00:00,4,P1,0S,1M\nW,20:00:00,1/2/3/4,OFF\n",
         {"3 timer-conflict", "4 timer-conflict", "5 timer-conflict", "6 pulse-times"}},
        {"==\n==\nW,06:00:00,1,P1,0S,10M\nW,07:00:00,1,P2,5S,0S\nW,08:00:00,,P3,0S,0S\nW,20:00:00,1,OFF\n",
         {"3 pulse-times", "4 pulse-times", "5 no-output"}, "leaves timer 1 as it was"},
        {"==\n==\nW,06:00:00,1,P1,59H,100000S\nW,07:00:00,2,P2,1.2345S,10M\nW,08:00:00,3,P3,99999S,27H\n"
         "W,20:00:00,1/2/3,OFF\n",
         {"3 pulse-times", "3 pulse-swapped", "4 pulse-times", "5 pulse-swapped"},
         "59H is 212400 seconds, wider than the 6 characters of its column in the code: every later column"},
        {"==\n==\nW,06:00:00,1,P1,9M55S,H3\nW,20:00:00,1,OFF\n", {"3 pulse-text", "3 pulse-text"},
         "9M55S reads as 9 seconds; write 595S"},
        {"==\n==\nW,06:00:00,1,P1,5S,1H30M\nW,20:00:00,1,OFF\n", {"3 pulse-text"},
         "1H30M reads as 1 minute; write 90M"},
        {"==\n==\nW,07:00:00,3,ON,15M\nW,20:00:00,3,OFF, \n", {"3 ignored-terms"}, "valve 3 is not switched off"},
        // Lines as the file writes them, before they are filed.
        {"T,19.30,40C,72\n==\n==\nW,06:00:00,1,P1,10M,5S\nW,7,1,OFF\n",
         {"1 filed-anew", "1 time-text", "1 unit-text", "4 pulse-swapped", "5 filed-anew"}},
        {setPoints(101), {}},
        {setPoints(100) + "==\nL,22:00:00,1,OFF\nL,23:00:00,1,OFF\n", {"103 too-many-lines"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const ProgramRead read = readProgramFile(row.file);
        const std::vector<Finding> findings = lint(read, Display{});
        EXPECT_EQ(places(findings), row.found);
        if (!row.says.empty() && !findings.empty()) {
            EXPECT_NE(findings.front().message.find(row.says), std::string::npos) << findings.front().message;
        }
    }

    // In °C a set-point out of range is told in °C.
    Display celsius;
    celsius.temperature = Display::Temperature::Celsius;
    const auto hot = lint({{{"T,06:00:00,70,113"}, {}, {}}}, celsius);
    ASSERT_EQ(places(hot), std::vector<std::string>{"1 bad-line"});
    EXPECT_EQ(hot[0].message, "high temp is out of range 0.0 \xB0" "C to 43.3 \xB0" "C");

    // A file's finding names the item its line was loaded into, blank lines before it.
    const auto loaded = lint(readProgramFile("\n==\n\nl,7,1,off\n"), Display{});
    ASSERT_EQ(places(loaded), std::vector<std::string>{"4 filed-anew"});
    EXPECT_EQ(loaded[0].item, (Finding::Item{1, 0}));

    // Lists typed in the windows, with nothing known of how they were written: each
    // finding names its item.
    const auto typed = lint({{{"T,06:00:00,40C,80"}, {"L,06:00:00,1,OFF"}, {}}}, Display{});
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_EQ(typed[0].item, (Finding::Item{0, 0}));
    EXPECT_EQ(typed[1].item, (Finding::Item{1, 0}));
    EXPECT_EQ(typed[1].severity, Finding::Error);
}

// midnight-wrap says the program runs every second day: so it must, as the day model
// reads it, and a program the model runs every day must not be told so. Lines at
// distinct seconds, the 24:MM:SS ones among them, in every mix of a few.
TEST(Lint, MidnightWrapIsWhatTheDayModelRuns)
{
    const int minutes[] = {5, 10, 20, 30, 40};
    for (int mix = 1; mix < 243; ++mix) { // each minute: absent, 00:MM:00 or 24:MM:00
        CommandLists lists;
        std::string shown;
        for (int i = 0, m = mix; i < 5; ++i, m /= 3)
            if (m % 3) {
                const std::string line =
                    "L," + std::string(m % 3 == 1 ? "00:" : "24:") + std::to_string(minutes[i]) + ":00,1,ON";
                lists[1].push_back(line);
                shown += line + " ";
            }
        SCOPED_TRACE(shown);
        const auto findings = lint(lists, Display{});
        const bool wrap = std::ranges::any_of(findings, [](const Finding& f) { return f.code == code::midnightWrap; });
        doubles::RecordingMessageBox messages;
        const auto program = dayProgram(lists, messages);
        ASSERT_TRUE(program);
        EXPECT_EQ(wrap, Cycle(*program).days().size() > 1);
    }
}

// A file's lines as written, and a typed one, keep their findings while their items
// stay as filed, wherever they move; a changed item loses them.
TEST(Lint, KeepsEachLineAsWrittenUntilItChanges)
{
    const ProgramRead read = readProgramFile("T,19.30,65,73\nT,6,70,80\n==\n==\nW,9,4,P2,10M,5S\nW,9,4,P2,10M,5S\n"
                                             "W,20:00:00,4,OFF\n==\nlost\n");
    const CommandLists& loaded = read.lists;
    const auto moved = [&](CommandLists lists) {
        std::swap(lists[0][0], lists[0][1]);
        return lists;
    };
    const auto changed = [&](CommandLists lists) {
        lists[2][0] = "W,09:00:00,4,P2,5S,10M";
        return lists;
    };
    const auto added = [&](CommandLists lists) {
        lists[1].emplace_back("L,05:00:00,1,OFF");
        return lists;
    };
    const struct {
        CommandLists lists;
        std::vector<std::string> found;
    } rows[] = {
        {loaded,
         {"1 filed-anew", "1 time-text", "2 filed-anew", "5 filed-anew", "5 same-time", "5 pulse-swapped",
          "6 filed-anew", "6 same-time", "6 pulse-swapped", "9 not-loaded"}},
        {moved(loaded),
         {"1 filed-anew", "2 filed-anew", "2 time-text", "5 filed-anew", "5 same-time", "5 pulse-swapped",
          "6 filed-anew", "6 same-time", "6 pulse-swapped"}},
        // Timer 2 now set to two pairs of times.
        {changed(loaded),
         {"1 filed-anew", "1 time-text", "2 filed-anew", "5 same-time", "5 timer-conflict", "6 filed-anew",
          "6 same-time", "6 timer-conflict", "6 pulse-swapped"}},
        {added(loaded),
         {"1 filed-anew", "1 time-text", "2 filed-anew", "6 filed-anew", "6 same-time", "6 pulse-swapped",
          "7 filed-anew", "7 same-time", "7 pulse-swapped"}},
    };
    const AsWritten written(read);
    for (const auto& row : rows) {
        LineMemo memo;
        EXPECT_EQ(places(lint(row.lists, Display{}, written, memo)), row.found);
    }
    // Right after the read, the kept lines give what the file gives.
    LineMemo memo;
    EXPECT_EQ(places(lint(loaded, Display{}, written, memo)), places(lint(read, Display{})));

    // A typed line replaces what was kept for its item; items gone lose theirs.
    AsWritten typedNow(read);
    CommandLists lists = changed(loaded);
    typedNow.typed(lists, {2, 0}, "w,9,4,p2,5s,10m");
    lists[2].erase(lists[2].begin() + 1);
    typedNow.typed(lists, {0, 1}, "T,6,70,80");
    EXPECT_EQ(places(lint(lists, Display{}, typedNow, memo)), (std::vector<std::string>{"1 filed-anew", "1 time-text"}));
    lists[2].push_back("W,09:00:00,4,P2,10M,5S");
    EXPECT_EQ(places(lint(lists, Display{}, typedNow, memo)),
              (std::vector<std::string>{"1 filed-anew", "1 time-text", "5 same-time", "5 timer-conflict", "7 same-time",
                                        "7 timer-conflict"}));
}

// The line check's results kept from change to change find what a fresh check finds.
TEST(Lint, KeptLineResultsFindWhatAFreshCheckFinds)
{
    const CommandLists changes[] = {
        {{{"T,06:00:00,70,80"}, {"L,06:00:00,1,ON"}, {}}},
        {{{"T,06:00:00,70,80", "T,06:00:00,70,71"}, {"L,06:00:00,1,ON"}, {}}},
        {{{"T,06:00:00,70,71"}, {"L,06:00:00,1,ON", "L,06:00:00,1,ON"}, {"W,06:00:00,1,ON"}}},
        {{{}, {}, {"W,06:00:00,1,ON"}}},
        {{{"T,06:00:00,70,80"}, {"L,06:00:00,1,ON"}, {}}},
    };
    LineMemo memo;
    for (const CommandLists& lists : changes) {
        const std::vector<Finding> kept = lint(lists, Display{}, AsWritten{}, memo);
        const std::vector<Finding> fresh = lint(lists, Display{});
        EXPECT_EQ(places(kept), places(fresh));
        for (std::size_t i = 0; i < std::min(kept.size(), fresh.size()); ++i)
            EXPECT_EQ(kept[i].message, fresh[i].message);
    }
}

// A typed line alone: what it shows as written and what lint finds of the line itself.
TEST(Lint, FindsWhatATypedLineShows)
{
    constexpr auto celsius = Display::Temperature::Celsius;
    const struct {
        std::string written;
        std::vector<std::string_view> codes;
        std::string says = {}; // the first finding's message
        Display::Temperature unit = Display::Temperature::Fahrenheit;
    } rows[] = {
        {"T,19.30,65,72", {code::timeText}, "19.30 reads as 19:00:00"},
        {"L,+8,1,ON", {code::timeText}, "+8 reads as 08:00:00"},
        {"L,23.6,1,ON", {code::timeText}, "23.6 reads as 24:00:00"},
        {"L,8:30:00:15,1,ON", {code::timeText}, "8:30:00:15 reads as 08:30:00"},
        {"L, 8 : 30 ,1,ON", {}},
        {"L,8:,1,ON", {}},
        {"T,6:00,40C,45C", {code::unitText, code::unitText}, "40C reads as 40 \xB0" "F"},
        {"T,6,70.5 k,75", {code::unitText}, "70.5 k reads as 70.5 \xB0" "F"},
        {"T,6,70 f,75\xB0" "F", {}},
        {"T,6,70\xB0,7 5", {}},
        {"T,19.30,40C,72", {code::timeText, code::unitText}},
        // In °C a bare number is still °F.
        {"T,6,40,45", {code::unitText, code::unitText},
         "40 is read as \xB0" "F (4.4 \xB0" "C); write 40C if you meant \xB0" "C", celsius},
        {"T,6,40C, 45 c", {}, {}, celsius},
        {"T,6,40F,45\xB0", {code::unitText}, "45\xB0 is read as \xB0" "F (7.2 \xB0" "C); write 45C if you meant \xB0" "C",
         celsius},
        {"T,6,70.5 k,25C", {code::unitText}, "70.5 k reads as 21.4 \xB0" "C", celsius},
        {"W,6,1/2,P1,10M,5S", {code::pulseSwapped},
         "on 10M, off 5S: valves 1 and 2 are on for 10 minutes and off for only 5 seconds each time; on and off "
         "swapped? write P1,5S,10M (off 10 minutes) or P1,5S,595S (every 10 minutes)"},
        {"W,6,1,P2,1H,59M", {code::pulseSwapped}},
        {"W,6,1,P1,61S,1M", {code::pulseSwapped}},
        {"W,6,1,P1,10M,10M", {}},
        // What lint finds of the line itself comes first; what only a whole program shows
        // (valve 1 never switched off) is left out.
        {"W,6,1,P1,10M,0S", {code::pulseTimes}},
        {"W,6,,P1,10M,5S", {code::noOutput}},
        {"W,6,1,P1,9M55S,5S", {code::pulseText}},
        {"W,6.5,3,ON,15M", {code::ignoredTerms, code::timeText}},
        {"W,6,1,P1", {}},
        // A line the command check refuses gets its message, nothing more.
        {"T,19.30,65,66", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.written);
        const std::vector<Finding> found = typedFindings(row.written, Display{row.unit});
        std::vector<std::string_view> codes;
        for (const Finding& f : found) {
            codes.push_back(f.code);
            EXPECT_EQ(f.severity, Finding::Warning);
            EXPECT_EQ(f.line, 0u);
            EXPECT_FALSE(f.item);
        }
        EXPECT_EQ(codes, row.codes);
        if (!row.says.empty() && !found.empty()) {
            EXPECT_EQ(found.front().message, row.says);
        }
    }
}

// Each slip's fix is a line that reads as it looks; a pulse written on longer than off
// reads two ways.
TEST(Lint, FixesASlipAsItWasLikelyMeant)
{
    constexpr auto celsius = Display::Temperature::Celsius;
    const struct {
        std::string typed;
        std::vector<Fix> fixes;
        Display::Temperature unit = Display::Temperature::Fahrenheit;
    } rows[] = {
        {"T,19.30,65,73", {{"T,19:30:00,65,73", ""}}},
        {"L,7.15,1,on", {{"L,07:15:00,1,ON", ""}}},
        {"W,8,1/2,P1,10M,5S",
         {{"W,08:00:00,1/2,P1,5S,10M", "off 10 minutes"}, {"W,08:00:00,1/2,P1,5S,595S", "every 10 minutes"}}},
        {"W,19.30,1,p1,1h,15m",
         {{"W,19:30:00,1,P1,15M,1H", "off 1 hour"}, {"W,19:30:00,1,P1,15M,45M", "every 1 hour"}}},
        {"W,8,1,P1,5S,9M55S", {{"W,08:00:00,1,P1,5S,595S", ""}}},
        {"T,6,33,36.5", {{"T,06:00:00,33C,36.5C", ""}}, celsius},
        // 45 C is too hot for a set-point: no guess.
        {"T,6,40,45", {}, celsius},
        // No slip, or no guess at what was meant.
        {"L,6,1,on", {}},
        {"T,6,20C,25C", {}, celsius},
        {"T,7h30,65,73", {}},
        {"T,6,70.5 k,75", {}},
        {"nonsense", {}},
        {"", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::vector<Fix> fixes = slipFixes(row.typed, Display{row.unit});
        EXPECT_EQ(fixes.size(), row.fixes.size());
        for (std::size_t i = 0; i < std::min(fixes.size(), row.fixes.size()); ++i) {
            EXPECT_EQ(fixes[i].line, row.fixes[i].line);
            EXPECT_EQ(fixes[i].reading, row.fixes[i].reading);
        }
    }
}

} // namespace
} // namespace fh
