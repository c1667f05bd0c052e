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
