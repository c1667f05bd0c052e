#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fh::test {
namespace {

std::string programFile(const std::string& bytes)
{
    const std::string path = scratchDir() + "/program.txt";
    writeFile(path, bytes);
    return path;
}

TEST(SimulateCommand, TracesTheFirstStepAndEverySecondThatChangedAcrossMidnight)
{
    const std::string file = programFile("T,12:00:00,70,76\r\n==\r\nL,00:00:01,2,ON\r\n==\r\n");
    const Outcome o = runFernhollow({"simulate", file, "--at", "23:59:59", "--seconds", "12"});
    EXPECT_EQ(o.out,
              "23:59:59 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=0\n"
              "00:00:01 lamps=010000 taps=000000 timers=000000 low=74 high=78 pending=1\n"
              "00:00:06 lamps=010000 taps=000000 timers=000001 low=74 high=78 pending=1\n"
              "00:00:07 lamps=010000 taps=000000 timers=000000 low=74 high=78 pending=1\n"
              "00:00:10 lamps=010000 taps=000000 timers=000010 low=74 high=78 pending=1\n"
              "00:00:11 lamps=010000 taps=000000 timers=000000 low=74 high=78 pending=1\n");
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.status, 0);
}

TEST(SimulateCommand, PulsedValvesAndSetPoints)
{
    const std::string file = programFile("T,12:00:02,78,84\r\n==\r\n==\r\nW,12:00:00,1/3/5,P1,3S,10M\r\n");
    const Outcome o = runFernhollow({"simulate", file, "--at", "11:59:59", "--seconds", "4"});
    EXPECT_EQ(o.out,
              "11:59:59 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=0\n"
              "12:00:00 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=1\n"
              "12:00:01 lamps=000000 taps=101010 timers=100000 low=74 high=78 pending=1\n"
              "12:00:02 lamps=000000 taps=000000 timers=000000 low=78 high=84 pending=0\n");
    EXPECT_EQ(o.status, 0);
}

// Lines of a hand-edited file that never passed the check: timer numbers 9 and 0,
// pulse times beyond 1e18, set-points of exponent size.
TEST(SimulateCommand, UncheckedLinesOfAFile)
{
    const std::string file = programFile("T,12:00:04,1E20,1E-5\r\n==\r\n==\r\n"
                                         "W,12:00:00,1,P9,5S,5S\r\nW,12:00:01,2,P0,5S,5S\r\n"
                                         "W,12:00:02,3,P1,1S,1E20S,1E19S\r\n");
    const Outcome o = runFernhollow({"simulate", file, "--at", "11:59:59", "--seconds", "5"});
    // Valve 1 follows no timer (there is no timer 9), valve 2 is not switched (10 is
    // no pulse state), and valve 3 stays shut: timer 1's phase, 1e19 seconds, keeps
    // it far from its one second on.
    EXPECT_EQ(o.out,
              "11:59:59 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=0\n"
              "12:00:00 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=1\n"
              "12:00:01 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=2\n"
              "12:00:02 lamps=000000 taps=000000 timers=000000 low=74 high=78 pending=3\n"
              "12:00:04 lamps=000000 taps=000000 timers=000000 low=100000000000000000000 high=0.00001 pending=0\n");
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.status, 0);
}

// No line is later than 12:00:00, so line 0 is pending, and it is due in the very
// second of switching on.
TEST(SimulateCommand, ZeroSecondsPrintsTheFirstStepOnly)
{
    const Outcome o = runFernhollow({"simulate", programFile("==\r\nL,12:00:00,1,ON\r\n==\r\n"), "--at", "12:00:00",
                                     "--seconds", "0"});
    EXPECT_EQ(o.out, "12:00:00 lamps=100000 taps=000000 timers=000000 low=74 high=78 pending=0\n");
    EXPECT_EQ(o.status, 0);
}

TEST(SimulateCommand, EmptyProgramIsNoProgram)
{
    const Outcome o = runFernhollow({"simulate", programFile("==\r\n==\r\n"), "--at", "08:00:00", "--seconds", "5"});
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "no program present!\n");
    EXPECT_EQ(o.status, 2);
}

TEST(SimulateCommand, BadArgumentsGiveOneLineAndStatusTwo)
{
    const std::string file = programFile("==\r\nL,06:00:00,1,ON\r\n==\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {"--at", "24:00:00", "--seconds", "5"},
        {"--at", "8:00:00", "--seconds", "5"},
        {"--at", "08:00:00", "--seconds", "-1"},
        {"--at", "08:00:00", "--seconds", "5x"},
        {"--at", "08:00:00", "--seconds", "99999999999999999999999"},
        {"--at", "08:00:00", "--seconds", "604801"},
        {"--at", "08:00:00"},
        {"--seconds", "5"},
        {"--at", "08:00:00", "--seconds", "5", "--fast"},
    };
    for (const auto& options : cases) {
        std::vector<std::string> args = {"simulate", file};
        args.insert(args.end(), options.begin(), options.end());
        const Outcome o = runFernhollow(args);
        EXPECT_EQ(o.status, 2) << options[1];
        EXPECT_EQ(o.out, "") << options[1];
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
}

} // namespace
} // namespace fh::test
