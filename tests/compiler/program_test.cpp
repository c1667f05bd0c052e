#include "compiler/program.h"

#include "../support.h"
#include "language/datcheck.h"
#include "platform/doubles/doubles.h"
#include "simulation/codeview.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <random>

namespace fh {
namespace {

using test::listsOf;

// A session's program, the one that takes the compile's steps one at a time.
struct Compiled {
    bool compile(const CommandLists& lists, const Clock& at)
    {
        session.open(lists);
        return session.compile(at);
    }
    bool combine(const CommandLists& lists)
    {
        session.open(lists);
        return session.combine();
    }
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock;
    Session session{messages, clock};
    const Program& program = session.program();
};

TEST(Compiler, PasteableLines)
{
    const struct { const char* typed; const char* pasteable; } rows[] = {
        {"T,4:00:33,78,84", "T,04:00:33,78,84, 0, 0, 0, 0, 0,     0     0     0"},
        {"L,15:22:00,2/4/6,on", "L,15:22:00,-1, 1,-1, 1,-1, 1, 0,     0     0     0"},
        {"W,12:00:00,1/3/5,p1,3s,10m", "W,12:00:00,11,-1,11,-1,11,-1,11,     3   600     0"},
        {"L,06:00,1, on", "L,06:00:00, 1,-1,-1,-1,-1,-1, 0,     0     0     0"},
        {"L,06:00,3,off", "L,06:00:00,-1,-1, 0,-1,-1,-1, 0,     0     0     0"},
        {"W,06:00,1,p2,5s,1h", "W,06:00:00,12,-1,-1,-1,-1,-1,12,     5  3600     0"},
        {"W,06:00,2/2.5,on,1,22,333,4", "W,06:00:00,-1, 1,-1,-1,-1,-1, 1,     1    22   333"},
        {"W,06:00,4,on,3s,x", "W,06:00:00,-1,-1,-1, 1,-1,-1, 1,     3     0     0"},
        {"W,06:00,1,p1,1h30m,1.5m", "W,06:00:00,11,-1,-1,-1,-1,-1,11,    60    90     0"},
        {"W,06:00,1,p1,0.5s,1.25s", "W,06:00:00,11,-1,-1,-1,-1,-1,11,   0.5  1.25     0"},
        // Wider than the column, and beyond the whole numbers written digit by digit.
        {"W,06:00,1,p1,1234567s,99999999999999999999s",
         "W,06:00:00,11,-1,-1,-1,-1,-1,11, 1234567 100000000000000000000     0"},
        {"T,06:00,70f,100", "T,06:00:00,70,100, 0, 0, 0, 0, 0,     0     0     0"},
        {"T,06:00, 70 ,80,5,-7,x", "T,06:00:00,70,80, 0, 0, 0, 0, 0,     5    -7     0"},
        {"L,06:00,,on", "L,06:00:00,-1,-1,-1,-1,-1,-1, 0,     0     0     0"},
    };
    for (const auto& row : rows) {
        Compiled c;
        ASSERT_TRUE(c.compile(listsOf({row.typed}), c.clock));
        EXPECT_EQ(test::linesOf(c.program), std::vector<std::string>{row.pasteable}) << row.typed;
    }
}

TEST(Compiler, CombineKeepsListOrderAndSortOrdersByTime)
{
    const struct { CommandLists lists; std::vector<std::string> combined, sorted; } rows[] = {
        // The first step exchanges T and W; the two 08:00 lines end as L, T.
        {{{{"T,08:00:00,70,80"}, {"L,08:00:00,1,ON"}, {"W,06:00:00,1,ON"}}},
         {"T,08:00:00,70,80", "L,08:00:00,1,ON", "W,06:00:00,1,ON"},
         {"W,06:00:00,1,ON", "L,08:00:00,1,ON", "T,08:00:00,70,80"}},
        // Times compared as text; a line without a time sorts first; equal lines both stay.
        {{{{"T,4:00:33,70,80", "T,12:00:00,70,80"}, {"L"}, {"w,12:00:00,1,on", "w,12:00:00,1,on"}}},
         {"T,4:00:33,70,80", "T,12:00:00,70,80", "L", "w,12:00:00,1,on", "w,12:00:00,1,on"},
         {"L", "T,12:00:00,70,80", "w,12:00:00,1,on", "w,12:00:00,1,on", "T,4:00:33,70,80"}},
    };
    for (const auto& row : rows) {
        Compiled c;
        ASSERT_TRUE(c.combine(row.lists));
        EXPECT_EQ(test::linesOf(c.program), row.combined);
        c.session.sort();
        EXPECT_EQ(test::linesOf(c.program), row.sorted);
        c.session.sort();
        EXPECT_EQ(test::linesOf(c.program), row.sorted);
    }
}

// Every step shows the list, hidden or not; too many commands are refused and change nothing.
TEST(Compiler, EveryStepShowsTheListUnlessRefused)
{
    Compiled c;
    CodeView view;
    EXPECT_FALSE(view.shown(c.program));
    c.combine(listsOf({"T,6,70,80", "L,6,1,ON", "W,6,1,ON"}));
    EXPECT_TRUE(view.shown(c.program));
    view.hide(c.program);
    EXPECT_FALSE(view.shown(c.program));
    const auto before = c.program.revision();
    c.session.sort();
    EXPECT_TRUE(view.shown(c.program));
    c.session.compile();
    EXPECT_EQ(c.program.revision(), before + 4);
    c.compile(listsOf({"T,6,70,80"}), c.clock);
    CommandLists big;
    big[1].assign(102, "L,06:00:00,1,ON");
    const auto shown = c.program.revision();
    EXPECT_FALSE(c.compile(big, c.clock));
    EXPECT_EQ(c.messages.shown, std::vector<std::string>{std::string(tooManyCommands)});
    EXPECT_EQ(c.program.proglast(), 0);
    EXPECT_EQ(c.program.revision(), shown);
    big[1].pop_back();
    EXPECT_TRUE(c.compile(big, c.clock));
    EXPECT_EQ(c.program.proglast(), 100);
}

TEST(Compiler, ReparsingRewrittenOrForeignLinesStaysInsideTheTables)
{
    Compiled c;
    CommandLists lists = listsOf({"W,12:00:00,1/3/5,p1,3s,10m", "L,06:00,2,ON"});
    lists[0] = {"", "x", "T", "W,1,0/7/99999999999/-3/1e300,P1E308,1E308H,1E308M,9", "L,,7,ON"};
    ASSERT_TRUE(c.compile(lists, c.clock));
    // The pasteable code itself, typed back in.
    CommandLists code;
    code[0] = test::linesOf(c.program);
    ASSERT_TRUE(c.compile(code, c.clock));
    ASSERT_TRUE(c.compile(code, c.clock));
    for (int i = 0; i <= c.program.proglast(); ++i)
        EXPECT_EQ(c.program.line(i).find("inf"), std::string::npos);
}

// Unchecked lines: a W line takes its mode even from an output it cannot name, and a W
// line that names no output, or no known state, leaves the mode as it was.
TEST(Compiler, WLinesCarryTheirModeOn)
{
    Compiled c;
    CommandLists lists;
    lists[0] = {"W,06:00:00,7,P3", "W,07:00:00,2,X", "L,08:00:00,3,ON", "W,09:00:00,,OFF", "W,10:00:00,0/1,OFF"};
    ASSERT_TRUE(c.compile(lists, c.clock));
    EXPECT_EQ(test::linesOf(c.program), (std::vector<std::string>{
                                            "W,06:00:00,-1,-1,-1,-1,-1,-1,13,     0     0     0",
                                            "W,07:00:00,-1,-1,-1,-1,-1,-1,13,     0     0     0",
                                            "L,08:00:00,-1,-1, 1,-1,-1,-1, 0,     0     0     0",
                                            "W,09:00:00,-1,-1,-1,-1,-1,-1,13,     0     0     0",
                                            "W,10:00:00, 0,-1,-1,-1,-1,-1, 0,     0     0     0",
                                        }));
}

// The shortcut for filed lines must leave what the full parse leaves (the row, the code
// and what is carried to the next line) on runs of lines built from the pieces filed
// lines are made of, right and slightly wrong; and must change nothing where it declines.
TEST(Compiler, ShortcutForFiledLinesAgreesWithTheFullParse)
{
    std::mt19937 random(34);
    const std::vector<std::string> times = {"06:00:00", "24:00:00", "99:99:99", "6:00:00", "06:00", "06:00:00 ", "0a:00:00"};
    const std::vector<std::string> separators = {",", ",", ",,", ""};
    const std::vector<std::string> setPoints = {"60", "75", "100", "6", "060", "1000", "6O", "", " 70"};
    const std::vector<std::vector<std::string>> tLines = {
        {"T", "t", " T", "X"}, separators, times, {","}, setPoints, separators, setPoints, {"", ",5", ",1,2,3"}};
    const std::vector<std::vector<std::string>> outputLines = {
        {"L", "W", "W", "l", "X", "T"},
        separators,
        times,
        {","},
        {"1/2", "6", "1/2/3/4/5/6/1", "7", "0", "1//2", "", "110", "1/", "2.5", "12"},
        separators,
        {"ON", "OFF", "P1", "P6", "on", "P7", "P0", "P", "P11", "77", " ON", "P1 "},
        {"", ",5S,595S", ",10M,1H", ",123456789H,1S", ",5S", ",5S,595S,1", ",S,5S", ",5,5S", ",1234567890S,5S",
         ",5s,5S", ",H5,5S", ",5SS,5S", ",5S,"},
    };
    // Most picks from the first three of each piece, so that many lines are filed.
    const auto pick = [&random](const std::vector<std::string>& choices) {
        const std::size_t most = std::bernoulli_distribution(0.8)(random) ? std::min<std::size_t>(choices.size(), 3)
                                                                           : choices.size();
        return choices[std::uniform_int_distribution<std::size_t>(0, most - 1)(random)];
    };
    // Rows left from an earlier compile: a cell either parse forgets to write shows.
    ScheduleRow earlier;
    earlier.fill(std::string("earlier"));
    int shortcuts = 0;
    for (int run = 0; run < 20000; ++run) {
        ParseState any, shortcut;
        for (int n = 0; n < 6; ++n) {
            std::string line;
            for (const auto& choices : std::bernoulli_distribution(0.3)(random) ? tLines : outputLines)
                line += pick(choices);
            ScheduleRow declined = earlier;
            ParseState untouched = shortcut;
            std::string code = "code";
            if (parseFiledLine(line, declined, untouched, code)) {
                ++shortcuts;
            } else {
                ASSERT_EQ(declined, earlier) << line;
                ASSERT_EQ(std::tie(untouched.outstate, untouched.mode), std::tie(shortcut.outstate, shortcut.mode));
                ASSERT_EQ(code, "code");
            }
            ScheduleRow anyRow = earlier, shortcutRow = earlier;
            std::string anyCode, shortcutCode;
            parseAnyLine(line, anyRow, any, anyCode);
            parseLine(line, shortcutRow, shortcut, shortcutCode);
            ASSERT_EQ(shortcutCode, anyCode) << line;
            ASSERT_EQ(shortcutRow, anyRow) << line;
            ASSERT_EQ(std::tie(shortcut.outstate, shortcut.mode), std::tie(any.outstate, any.mode)) << line;
        }
    }
    EXPECT_GT(shortcuts, 6000);

    // The shapes files hold take the shortcut.
    ParseState state;
    ScheduleRow row;
    std::string code;
    for (const char* line : {"T,04:00:33,78,84", "L,15:22:00,2/4/6,ON", "W,12:00:00,1/3/5,P1,3S,10M",
                             "W,00:00:00,1,OFF", "L,24:00:00,1/2/3/4/5/6/1,OFF", "W,08:00:00,6,P6"})
        EXPECT_TRUE(parseFiledLine(line, row, state, code)) << line;
}

TEST(Compiler, SyncupFindsTheFirstLaterLine)
{
    const struct { int now, expected; } rows[] = {
        {0, 0}, {6 * 3600, 1}, {6 * 3600 + 1, 1}, {12 * 3600 - 1, 1}, {12 * 3600, 5}, {secondsPerDay - 1, 5},
    };
    // A longer program left nextstep at 5; a clock after the last line keeps it.
    const CommandLists longer = listsOf({"L,01:00,1,ON", "L,02:00,1,ON", "L,03:00,1,ON", "L,04:00,1,ON",
                                         "L,05:00,1,ON", "L,23:00,1,ON"});
    for (const auto& row : rows) {
        Compiled c;
        c.compile(longer, doubles::FakeClock(22 * 3600));
        ASSERT_EQ(c.program.nextstep(), 5);
        c.clock.set(row.now);
        c.compile(listsOf({"L,06:00,1,ON", "L,12:00,1,OFF"}), c.clock);
        EXPECT_EQ(c.program.nextstep(), row.expected) << row.now;
    }
}

} // namespace
} // namespace fh
