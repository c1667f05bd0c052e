#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fh::test {
namespace {

TEST(Lines, PrintsTheLinesOfEachKindAsDescribed)
{
    const struct {
        cli::Args args;
        std::string out;
        std::string filed = {}; // the T list of the program file the lines were added to
    } rows[] = {
        {{"lines", "water", "--valves", "3", "--at", "07:00,15:00", "--for", "15m"},
         "W,07:00:00,3,ON\nW,07:15:00,3,OFF\nW,15:00:00,3,ON\nW,15:15:00,3,OFF\n"},
        {{"lines", "mist", "--valves", "1/2", "--timer", "1", "--from", "08:00", "--to", "18:00", "--on", "5s",
          "--every", "10m"},
         "W,08:00:00,1/2,P1,5S,595S\nW,18:00:00,1/2,OFF\n"},
        {{"lines", "lights", "--relays", "1/2/3", "--from", "05:00", "--to", "21:00"},
         "L,05:00:00,1/2/3,ON\nL,21:00:00,1/2/3,OFF\n"},
        {{"lines", "lights", "--relays", "1/2/3", "--from", "05:00", "--for", "16h"},
         "L,05:00:00,1/2/3,ON\nL,21:00:00,1/2/3,OFF\n"},
        {{"lines", "ramp", "--from", "65/73", "--to", "72/80", "--start", "05:00", "--for", "2h", "--steps", "4"},
         "T,05:30:00,66.8,74.8\nT,06:00:00,68.5,76.5\nT,06:30:00,70.3,78.3\nT,07:00:00,72,80\n"},
        {{"lines", "ramp", "--from", "65", "--to", "72", "--gap", "8", "--start", "05:00", "--for", "2h", "--steps",
          "4"},
         "T,05:30:00,66.8,74.8\nT,06:00:00,68.5,76.5\nT,06:30:00,70.3,78.3\nT,07:00:00,72,80\n"},
        // In °C the set-points carry their unit, as typed with --celsius.
        {{"lines", "ramp", "--celsius", "--from", "18/22", "--to", "22/26", "--start", "05:00", "--for", "2h",
          "--steps", "2"},
         "T,06:00:00,20C,24C\nT,07:00:00,22C,26C\n", "T,06:00:00,68,75.2\r\nT,07:00:00,71.6,78.8\r\n"},
        // Worked out in tenths of a °C, each read back as the °C it came from.
        {{"lines", "ramp", "--from", "18", "--to", "19", "--gap", "4", "--start", "05:00", "--for", "2h", "--steps",
          "4", "--celsius"},
         "T,05:30:00,18.3C,22.3C\nT,06:00:00,18.5C,22.5C\nT,06:30:00,18.8C,22.8C\nT,07:00:00,19C,23C\n",
         "T,05:30:00,64.9,72.1\r\nT,06:00:00,65.3,72.5\r\nT,06:30:00,65.8,73\r\nT,07:00:00,66.2,73.4\r\n"},
        // The set-points from one second on, in plain words.
        {{"lines", "setpoint", "--at", "6:00", "--heat", "72", "--gap", "8"}, "T,06:00:00,72,80\n"},
        {{"lines", "setpoint", "--at", "6", "--heat", "72", "--cool", "80.5"}, "T,06:00:00,72,80.5\n"},
        {{"lines", "setpoint", "--at", "6", "--heat", "22", "--gap", "4.5", "--celsius"}, "T,06:00:00,22C,26.5C\n",
         "T,06:00:00,71.6,79.7\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.out);
        doubles::MemoryTextFiles files;
        const Outcome printed = runCli(row.args, files);
        EXPECT_EQ(printed, (Outcome{0, row.out, ""}));
        // The lines pass the line check as they are, and go into a program file, with
        // no finding on the way.
        const bool celsius = std::ranges::find(row.args, "--celsius") != row.args.end();
        cli::Args check = {"check"};
        cli::Args add = {"add", "p.fhp"};
        if (celsius) {
            check.push_back("--celsius");
            add.push_back("--celsius");
        }
        const Outcome checked = runCli(check, files, printed.out);
        EXPECT_EQ(checked.status, 0) << checked.err;
        if (!celsius) {
            EXPECT_EQ(checked.out, printed.out);
        }
        EXPECT_EQ(runCli(add, files, printed.out), (Outcome{0, "", ""}));
        if (!row.filed.empty()) {
            EXPECT_EQ(files.files["p.fhp"], row.filed + "==\r\n==\r\n");
        }
        const Outcome linted = runCli({"lint", "p.fhp"}, files);
        EXPECT_EQ(linted.out, "") << row.args[1];
    }
}

TEST(Lines, RefusesARequestItCannotMeetAndPrintsNoLine)
{
    const std::string usage = "usage: fernhollow lines KIND OPTION...\n";
    const struct { cli::Args args; std::string err; } rows[] = {
        {{"lines", "fog", "--valves", "1"},
         "fernhollow: lines: fog is no kind of lines; the kinds are water, mist, lights, ramp, setpoint and sun\n"},
        {{"lines", "setpoint", "--at", "6", "--heat", "72"}, "fernhollow: lines: give --cool or --gap\n"},
        // Fault mended: two waterings overlapping gave the valve 15 minutes, not 30.
        {{"lines", "water", "--valves", "3", "--at", "07:00,07:10", "--for", "15m"},
         "fernhollow: lines: the waterings at 07:00:00 and 07:10:00 overlap: each lasts 15M\n"},
        {{"lines", "water", "--valves", "3", "--at", "00:05,23:55", "--for", "15m"},
         "fernhollow: lines: the waterings at 23:55:00 and 00:05:00 overlap: each lasts 15M\n"},
        {{"lines", "setpoint", "--at", "6", "--heat", "72", "--cool", "80", "--gap", "8"},
         "fernhollow: lines: give --cool or --gap, not both\n"},
        {{"lines", "setpoint", "--at", "6", "--heat", "warm", "--gap", "8"},
         "fernhollow: lines: --heat wants a number of degrees, as in 72, not warm\n"},
        {{"lines", "water", "--valves", "3", "--at", "7", "--for", "15m", "--timer", "1"},
         "fernhollow: lines: water takes no --timer\n"},
        {{"lines", "water", "--valves", "3", "--for", "15m"}, "fernhollow: lines: water needs --at\n"},
        // Only a ramp and a set-point change have degrees to read in °C.
        {{"lines", "water", "--valves", "3", "--at", "7", "--for", "15m", "--celsius"},
         "fernhollow: lines: water takes no --celsius\n"},
        // The writer's refusal; a value that begins with a dash is a value, not an option.
        {{"lines", "ramp", "--from", "65", "--to", "72", "--gap", "-2", "--start", "5", "--for", "2h", "--steps",
          "4"},
         "fernhollow: lines: step 1, T,05:30:00,66.8,64.8: high temp is too close to low temp (2 degrees F)\n"},
    };
    for (const auto& row : rows) {
        doubles::MemoryTextFiles files;
        EXPECT_EQ(runCli(row.args, files), (Outcome{2, "", row.err}));
    }
    doubles::MemoryTextFiles files;
    const Outcome bare = runCli({"lines"}, files);
    EXPECT_EQ(bare.status, 2);
    EXPECT_TRUE(bare.err.starts_with("fernhollow: an argument is missing\n" + usage)) << bare.err;
    // Every misuse names its reason before the usage.
    const Outcome twice = runCli({"lines", "water", "--valves", "3", "--valves", "4", "--at", "7", "--for", "1m"}, files);
    EXPECT_TRUE(twice.err.starts_with("fernhollow: --valves given twice\n" + usage)) << twice.err;
}

} // namespace
} // namespace fh::test
