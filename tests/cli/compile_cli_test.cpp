#include "process.h"

#include <gtest/gtest.h>

namespace fh::test {
namespace {

TEST(CompileCommand, PrintsThePasteableProgramInTimeOrder)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", "T,04:00:33,78,84\r\n==\r\nL,15:22:00,2/4/6,ON\r\n==\r\nW,12:00:00,1/3/5,P1,3S,10M\r\n");
    const Outcome o = runFernhollow({"compile", dir + "/p.fhp", "--next", "12:00:00"});
    EXPECT_EQ(o.out, "T,04:00:33,78,84, 0, 0, 0, 0, 0,     0     0     0\n"
                     "W,12:00:00,11,-1,11,-1,11,-1,11,     3   600     0\n"
                     "L,15:22:00,-1, 1,-1, 1,-1, 1, 0,     0     0     0\n"
                     "next: 2\n");
    EXPECT_EQ(o.status, 0);
}

TEST(CompileCommand, FailuresGiveOneLineAndStatusTwo)
{
    const std::string dir = scratchDir();
    std::string tooLong;
    for (int i = 0; i < 102; ++i)
        tooLong += "T,06:00:00,70,80\r\n";
    writeFile(dir + "/long.fhp", tooLong);
    const struct {
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        {{"compile", dir + "/missing.fhp"}, "fernhollow: cannot read " + dir + "/missing.fhp: No such file or directory\n"},
        {{"compile", dir}, "fernhollow: cannot read " + dir + ": Is a directory\n"},
        {{"compile", dir + "/long.fhp"}, "too many commands: the program holds at most 101 lines\n"},
        {{"compile", dir + "/long.fhp", "--next", "25:00:00"}, "fernhollow: --next wants a time HH:MM:SS, not 25:00:00\n"},
        {{"compile"}, "usage: fernhollow compile FILE [--next HH:MM:SS]\n"},
    };
    for (const auto& row : rows) {
        const Outcome o = runFernhollow(row.args);
        EXPECT_EQ(o.err, row.err);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.status, 2);
    }
}

} // namespace
} // namespace fh::test
