#include "files/programfile.h"

#include <gtest/gtest.h>

namespace fh {

void PrintTo(const LoadNote& note, std::ostream* os) { *os << note.line << ": " << describe(note); }

namespace {

using Notes = std::vector<LoadNote>;

struct ReadCase {
    const char* name;
    std::string bytes;
    CommandLists lists;
    Notes notes;
};

class ReadProgramFile : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadProgramFile, FillsTheListsLineByLine)
{
    const ProgramRead read = readProgramFile(GetParam().bytes);
    EXPECT_EQ(read.lists, GetParam().lists);
    EXPECT_EQ(read.notes, GetParam().notes);
}

const std::string tLine = "T,06:00:00,70,80", lLine = "L,07:00:00,1,ON", wLine = "W,08:00:00,2,OFF";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadProgramFile,
    testing::Values(
        ReadCase{"Empty", "", {}, {}},
        ReadCase{"TwoSeparators", "==\r\n==\r\n", {}, {}},
        ReadCase{"ThreeSections", tLine + "\r\n==\r\n" + lLine + "\r\n==\r\n" + wLine + "\r\n", {{{tLine}, {lLine}, {wLine}}}, {}},
        ReadCase{"SeparatorWithSpaceIsAnItem", "== \r\n", {{{"== "}, {}, {}}}, {{LoadNote::FailsCheck, 1, "missing data"}}},
        ReadCase{"FirstLineSeparator", "==\r\n" + lLine + "\r\n", {{{}, {lLine}, {}}}, {}},
        ReadCase{"NoSeparatorAllInList1", lLine + "\r\n" + wLine + "\r\n", {{{lLine, wLine}, {}, {}}}, {}},
        ReadCase{"LastLineWithoutLineEnd", tLine + "\r\n==\r\n==\r\n" + wLine, {{{tLine}, {}, {wLine}}}, {}},
        // Fault mended: a file from a Linux editor loaded as one item.
        ReadCase{"LineFeedsEndLines", tLine + "\n==\n" + lLine + "\n==\n" + wLine + "\n", {{{tLine}, {lLine}, {wLine}}}, {}},
        ReadCase{"MixedLineEnds", tLine + "\r\n==\r" + lLine + "\n\r==\n", {{{tLine}, {lLine}, {}}}, {}},
        // Fault mended: every blank line failed the check, and each command said "missing data".
        ReadCase{"BlankLinesDropped", "\r\n" + tLine + "\r\n  \r\n\n==\r\n \r\n==\r\n" + wLine + "\r\n\r\n",
                 {{{tLine}, {}, {wLine}}}, {}},
        // Fault mended: these were dropped without a word.
        ReadCase{"AfterTheThirdSeparatorNotLoaded", "==\r\n==\r\n" + wLine + "\r\n==\r\n  \r\n" + lLine + "\r\n==\r\nX\r\n",
                 {{{}, {}, {wLine}}},
                 {{LoadNote::NotLoaded, 6, lLine}, {LoadNote::NotLoaded, 7, "=="}, {LoadNote::NotLoaded, 8, "X"}}},
        // Fault mended: a hand-written time sorted as text and fired at the wrong time.
        ReadCase{"PassingLinesAreFiledInPlace", "t,6,70,80\r\n==\r\nl,7:00,1,on\r\nT,9,70,80\r\n==\r\nW,1,9,ON\r\n",
                 {{{"T,06:00:00,70,80"}, {"L,07:00:00,1,ON", "T,09:00:00,70,80"}, {"W,1,9,ON"}}},
                 {{LoadNote::FiledAnew, 1, "T,06:00:00,70,80"},
                  {LoadNote::FiledAnew, 3, "L,07:00:00,1,ON"},
                  {LoadNote::FiledAnew, 4, "T,09:00:00,70,80"},
                  {LoadNote::FailsCheck, 6, "invalid valve #"}}},
        // Fault mended: the mark failed the first line.
        ReadCase{"ByteOrderMarkDropped", std::string(utf8ByteOrderMark) + tLine, {{{tLine}, {}, {}}},
                 {{LoadNote::ByteOrderMark, 1, ""}}}),
    [](const auto& info) { return info.param.name; });

// Findings name a line of the file, blank lines counted, and quote it as written.
TEST(ReadProgramFileLines, NumberEachItemByItsLineInTheFile)
{
    const ProgramRead read =
        readProgramFile("\n" + tLine + "\n\n  \n" + tLine + "\n==\n\nl,7,1,on\n==\n" + wLine + "\nw,8\n" + wLine + "\n");
    EXPECT_EQ(read.lineNumbers, (std::array<std::vector<std::size_t>, 3>{{{2, 5}, {8}, {10, 11, 12}}}));
    EXPECT_EQ(read.lists[1][0], lLine);
    EXPECT_EQ(read.written(0, 0), tLine);
    EXPECT_EQ(read.written(0, 1), tLine);
    EXPECT_EQ(read.written(1, 0), "l,7,1,on");
    // Filed lines on both sides of one that is not.
    EXPECT_EQ(read.written(2, 0), wLine);
    EXPECT_EQ(read.written(2, 1), "w,8") << "a failing line is kept as written";
    EXPECT_EQ(read.written(2, 2), wLine);
}

TEST(WriteProgramFile, LeavesOutEmptyAndSpaceOnlyItems)
{
    EXPECT_EQ(writeProgramFile({}), "==\r\n==\r\n") << "three empty lists take eight bytes";
    const CommandLists lists{{{tLine, "", "   "}, {" "}, {wLine, ""}}};
    EXPECT_EQ(writeProgramFile(lists), tLine + "\r\n==\r\n==\r\n" + wLine + "\r\n");
}

TEST(WithProgramExtension, AddsItOnlyToAFileNameWithoutOne)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/home/ann/plan", "/home/ann/plan.fhp"},
        {"/home/ann/plan.fhp", "/home/ann/plan.fhp"},
        {"/home/ann/.plan", "/home/ann/.plan"},
        {"/home/ann/", "/home/ann/"},
    };
    for (const auto& [typed, saved] : cases)
        EXPECT_EQ(withProgramExtension(typed), saved) << typed;
}

} // namespace
} // namespace fh
