#include "files/programfile.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

struct ReadCase {
    const char* name;
    std::string bytes;
    CommandLists lists;
};

class ReadProgramFile : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadProgramFile, FillsTheListsLineByLine)
{
    EXPECT_EQ(readProgramFile(GetParam().bytes), GetParam().lists);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadProgramFile,
    testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"TwoSeparators", "==\r\n==\r\n", {}},
        ReadCase{"ThreeSections", "T\r\n==\r\nL\r\n==\r\nW\r\n", {{{"T"}, {"L"}, {"W"}}}},
        ReadCase{"KeptAsWritten", "  t,6,70,80 \r\n==\r\n", {{{"  t,6,70,80 "}, {}, {}}}},
        ReadCase{"SeparatorWithSpaceIsAnItem", "== \r\n", {{{"== "}, {}, {}}}},
        ReadCase{"FirstLineSeparator", "==\r\nL\r\n", {{{}, {"L"}, {}}}},
        ReadCase{"NoSeparatorAllInList1", "A\r\nB\r\n", {{{"A", "B"}, {}, {}}}},
        ReadCase{"ThirdSeparatorDropsTheRest", "A\r\n==\r\nB\r\n==\r\nC\r\n==\r\nD\r\n==\r\nE\r\n", {{{"A"}, {"B"}, {"C"}}}},
        ReadCase{"LastLineWithoutLineEnd", "A\r\n==\r\nB\r\n==\r\nC", {{{"A"}, {"B"}, {"C"}}}},
        ReadCase{"CarriageReturnAlone", "A\rB\r==\rC", {{{"A", "B"}, {"C"}, {}}}},
        ReadCase{"LineFeedAloneEndsNoLine", "A\nB\r\n", {{{"A\nB"}, {}, {}}}},
        ReadCase{"EmptyLinesAreItems", "\r\n\r\n==\r\n\r\r\n", {{{"", ""}, {"", ""}, {}}}}),
    [](const auto& info) { return info.param.name; });

TEST(WriteProgramFile, LeavesOutEmptyAndSpaceOnlyItems)
{
    EXPECT_EQ(writeProgramFile({}), "==\r\n==\r\n") << "three empty lists take eight bytes";
    const CommandLists lists{{{"T,06:00:00,70,80", "", "   "}, {" "}, {"W,12:00:00,1,ON", ""}}};
    EXPECT_EQ(writeProgramFile(lists), "T,06:00:00,70,80\r\n==\r\n==\r\nW,12:00:00,1,ON\r\n");
}

TEST(ProgramFileRoundTrip, GivesBackTheListsLessBlankItems)
{
    const CommandLists lists{{{" T,06:00:00,70,80 ", "t,6,70,80", "  "},
                              {"", "L,15:22:00,2/4/6,on", "== "},
                              {"w,12:00:00,1/3/5,p1,3s,10m", "\t"}}};
    const CommandLists expected{{{" T,06:00:00,70,80 ", "t,6,70,80"},
                                 {"L,15:22:00,2/4/6,on", "== "},
                                 {"w,12:00:00,1/3/5,p1,3s,10m", "\t"}}};
    EXPECT_EQ(readProgramFile(writeProgramFile(lists)), expected);
}

TEST(ProgramFileRoundTrip, KeepsEveryByteButCarriageReturn)
{
    std::string every;
    for (int b = 0; b < 256; ++b)
        if (b != '\r')
            every += static_cast<char>(b);
    const CommandLists lists{{{every}, {every}, {every}}};
    EXPECT_EQ(readProgramFile(writeProgramFile(lists)), lists);
}

} // namespace
} // namespace fh
