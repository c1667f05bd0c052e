#include "harness.h"

#include <gtest/gtest.h>

namespace fh::test {
namespace {

TEST(Lines, PrintsTheLinesOfEachKindAsDescribed)
{
    const struct { cli::Args args; std::string out; } rows[] = {
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
        // 18/22 °C is 64.4/71.6 °F, 22/26 °C 71.6/78.8 °F; a gap of 4 °C is 7.2 °F.
        {{"lines", "ramp", "--celsius", "--from", "18/22", "--to", "22/26", "--start", "05:00", "--for", "2h",
          "--steps", "2"},
         "T,06:00:00,68,75.2\nT,07:00:00,71.6,78.8\n"},
        {{"lines", "ramp", "--from", "18", "--to", "22", "--gap", "4", "--start", "05:00", "--for", "2h", "--steps",
          "2", "--celsius"},
         "T,06:00:00,68,75.2\nT,07:00:00,71.6,78.8\n"},
    };
    for (const auto& row : rows) {
        doubles::MemoryTextFiles files;
        const Outcome printed = runCli(row.args, files);
        EXPECT_EQ(printed, (Outcome{0, row.out, ""}));
        // The lines pass the line check as they are, and go into a program file.
        const Outcome checked = runCli({"check"}, files, printed.out);
        EXPECT_EQ(checked.status, 0) << checked.out;
        EXPECT_EQ(checked.out, printed.out);
        EXPECT_EQ(runCli({"add", "p.fhp"}, files, printed.out).status, 0);
        const Outcome linted = runCli({"lint", "p.fhp"}, files);
        EXPECT_EQ(linted.out, "") << row.args[1];
    }
}

TEST(Lines, RefusesARequestItCannotMeetAndPrintsNoLine)
{
    const std::string usage = "usage: fernhollow lines KIND OPTION...\n";
    const struct { cli::Args args; std::string err; } rows[] = {
        {{"lines", "fog", "--valves", "1"},
         "fernhollow: lines: fog is no kind of lines; the kinds are water, mist, lights and ramp\n"},
        {{"lines", "water", "--valves", "3", "--at", "7", "--for", "15m", "--timer", "1"},
         "fernhollow: lines: water takes no --timer\n"},
        {{"lines", "water", "--valves", "3", "--for", "15m"}, "fernhollow: lines: water needs --at\n"},
        // Only a ramp has degrees to read in °C.
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
    EXPECT_TRUE(bare.err.starts_with(usage)) << bare.err;
}

} // namespace
} // namespace fh::test
