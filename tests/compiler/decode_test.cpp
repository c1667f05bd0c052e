#include "compiler/decode.h"

#include "compiler/program.h"
#include "language/datcheck.h"
#include "platform/doubles/doubles.h"
#include "../support.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

std::vector<std::string> compiled(const CommandLists& lists)
{
    doubles::RecordingMessageBox messages;
    const Program program = compile(lists, doubles::FakeClock(), messages).value();
    return test::linesOf(program);
}

// The rows of code of each letter, in their order: lines of different letters that
// share a time may come back in another order, but the rows of one letter may not.
std::array<std::vector<std::string>, 3> byLetter(const std::vector<std::string>& code)
{
    std::array<std::vector<std::string>, 3> rows;
    for (const auto& row : code)
        rows[static_cast<std::size_t>(listOf(row))].push_back(row);
    return rows;
}

TEST(Decode, RebuildsTheLineOfEachCodeLine)
{
    const struct { const char* code; const char* line; } rows[] = {
        {"W,06:00:00,12,-1,-1,-1,-1,-1,12,     0     0     0", "W,06:00:00,1,P2"},
        // Numbers are read as numbers: a wide one runs into the one before.
        {"W,06:00:00,-1, 1,-1,-1,-1,-1, 1,   600-123456     0", "W,06:00:00,2,ON,600,-123456"},
        {"  L,06:00:00, 1,-1,-1,-1,-1,-1, 0,     0     0     0  ", "L,06:00:00,1,ON"},
        // No output named: the state is not in the code.
        {"W,07:00:00,-1,-1,-1,-1,-1,-1, 0,     5     0  -0.5", "W,07:00:00,,OFF,5,0,-0.5"},
    };
    for (const auto& row : rows) {
        const DecodedCode d = decode(row.code);
        ASSERT_FALSE(d.unreadable) << row.code << ": " << d.unreadable->reason;
        EXPECT_EQ(d.lists[static_cast<std::size_t>(listOf(row.line))], std::vector<std::string>{row.line});
    }
}

TEST(Decode, NamesTheFirstUnreadableLineAndKeepsNothing)
{
    const std::string t = "T,06:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0\r\n";
    std::string full;
    for (int i = 0; i < progCapacity; ++i)
        full += t;
    const struct { std::string code; std::size_t line; std::string_view reason; } rows[] = {
        {"T,06:00:00,70,80, 0, 0, 0, 0, 0,     0     0", 1, notCode},
        {t + "\n\rT,06:00:00,7O,80, 0, 0, 0, 0, 0,     0     0     0", 4, "not a number: 7O"},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,     3   600-x", 1, "not a number: -x"},
        {"T,06:00:00,70,80, 0, 0, 0, 0, 1,     0     0     0", 1, setPointsOnly},
        {"L,06:00:00,11,-1,-1,-1,-1,-1, 0,     0     0     0", 1, notAState},
        {"W,06:00:00, 1, 0,-1,-1,-1,-1, 1,     0     0     0", 1, statesDiffer},
        {"W,06:00:00, 1,-1,-1,-1,-1,-1, 0,     0     0     0", 1, modeDiffers},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,     3   600     5", 1, thirdPulseNumber},
        {"T,25:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0", 1, msg::timeRange},
        {"T,6:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0", 1, notFiledTime},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,     0     0     0\nT,05:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0", 2,
         notInOrder},
        {full + t, static_cast<std::size_t>(progCapacity) + 1, tooManyCommands},
    };
    for (const auto& row : rows) {
        const DecodedCode d = decode(row.code);
        ASSERT_TRUE(d.unreadable) << row.code;
        EXPECT_EQ(d.unreadable->line, row.line) << row.code;
        EXPECT_EQ(d.unreadable->reason, row.reason) << row.code;
        EXPECT_EQ(d.lists, CommandLists{}) << row.code;
    }
    EXPECT_FALSE(decode(full).unreadable);
}

// Fault mended: a number read by its value (3e1 as 30) came back as a line that
// compiles to other code.
TEST(Decode, RefusesCodeThatCompilesToOtherTextNamingTheField)
{
    const std::string t = "T,06:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0\n";
    const struct { std::string code; std::size_t line; std::string field, given, again; } rows[] = {
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,   3e1   600     0", 1, "10 (the pulse columns)", "   3e1   600     0",
         "    30   600     0"},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,   030   600     0", 1, "10 (the pulse columns)", "   030   600     0",
         "    30   600     0"},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,   +30   600     0", 1, "10 (the pulse columns)", "   +30   600     0",
         "    30   600     0"},
        {"W,06:00:00,11,-1,-1,-1,-1,-1,11,  30.0   600     0", 1, "10 (the pulse columns)", "  30.0   600     0",
         "    30   600     0"},
        {"L,06:00:00,-1,-1,-1,-1,-1,-1, 0,   1e9     0     0", 1, "10 (the pulse columns)", "   1e9     0     0",
         " 1000000000     0     0"},
        {"L,06:00:00,1,-1,-1,-1,-1,-1,0,0 0 0", 1, "3 (output 1)", "1", " 1"},
        {t + "T,07:00:00,070,80, 0, 0, 0, 0, 0,     0     0     0", 2, "3 (the low set-point)", "070", "70"},
        {t + "W,07:00:00,-1,-1,-1,-1,-1,-1,00,     0     0     0", 2, "9 (the mode)", "00", " 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        const DecodedCode d = decode(row.code);
        ASSERT_TRUE(d.unreadable);
        EXPECT_EQ(d.unreadable->line, row.line);
        EXPECT_EQ(d.unreadable->reason, "field " + row.field + " " + std::string(compilesOtherwise) + ": \"" +
                                            row.given + "\" comes back as \"" + row.again + "\"");
        EXPECT_EQ(d.lists, CommandLists{});
    }
}

// Fault mended: a W row naming no valve came back with the mode of the W row before it,
// whatever mode it showed. Code compiled from these lines (valve 9 fails the check but
// compiles) decodes only when it compiles back to itself, but for the order of lines
// that share a time.
TEST(Decode, TakesOnlyCodeThatCompilesBackToItself)
{
    const struct { std::vector<std::string> lines; std::size_t unreadable; std::string_view reason; } rows[] = {
        {{"W,05:00:00,1,P1", "W,06:00:00,,P2,5S,10M"}, 0, {}},
        {{"W,05:00:00,1,ON", "W,06:00:00,9,ON"}, 0, {}},
        {{"L,04:00:00,1,ON", "W,05:00:00,,ON", "W,06:00:00,2,P3,1S,2S", "W,07:00:00,,OFF,4,5,6"}, 0, {}},
        {{"W,06:00:00,9,P4,5S,2M"}, 1, modeNotKept},
        {{"W,05:00:00,1,P1", "W,06:00:00,9,ON"}, 2, modeNotKept},
        // Lines at one time: the code has W 06:00 before L 06:00, the lists it rebuilds
        // compile with L 06:00 first.
        {{"L,06:00:00,1,ON", "W,06:00:00,1,ON", "W,05:00:00,2,ON"}, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.lines));
        CommandLists lists;
        for (const auto& line : row.lines)
            lists[static_cast<std::size_t>(listOf(line))].push_back(line);
        std::string code;
        for (const auto& line : compiled(lists))
            code += line + "\n";
        const DecodedCode d = decode(code);
        if (row.unreadable == 0) {
            ASSERT_FALSE(d.unreadable) << d.unreadable->reason;
            EXPECT_EQ(byLetter(compiled(d.lists)), byLetter(compiled(lists)));
            continue;
        }
        ASSERT_TRUE(d.unreadable);
        EXPECT_EQ(d.unreadable->line, row.unreadable);
        EXPECT_EQ(d.unreadable->reason, row.reason);
    }
}

} // namespace
} // namespace fh
