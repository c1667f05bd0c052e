#include "harness.h"

#include "files/programfile.h"

#include <gtest/gtest.h>

#include <vector>

namespace fh::test {
namespace {

using Lines = std::vector<std::string>;

// A program file of the T, L and W lists.
std::string fhp(const Lines& t, const Lines& l, const Lines& w) { return writeProgramFile({t, l, w}); }

std::string difference(const char* from, const char* to, const char* what, const char* a, const char* b)
{
    return std::string("{\"from\":\"") + from + "\",\"to\":\"" + to + "\",\"what\":\"" + what + "\",\"a\":" + a +
           ",\"b\":" + b + "}";
}

std::string onDay(int day, const std::string& difference)
{
    return "{\"day\":" + std::to_string(day) + "," + difference.substr(1);
}

std::string json(bool same, const Lines& differences, const std::string& onlyA, const std::string& onlyB)
{
    std::string out = std::string("{\"same\":") + (same ? "true" : "false") + ",\"differences\":[";
    for (std::size_t k = 0; k < differences.size(); ++k)
        out += (k ? "," : "") + differences[k];
    return out + "],\"only_a\":" + onlyA + ",\"only_b\":" + onlyB + "}\n";
}

TEST(Diff, JsonGivesTheDifferencesOfTheDays)
{
    const std::string lightsDay = fhp({}, {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"}, {});
    const struct { const char* why; std::string a, b; int status; std::string out; bool celsius = false; } cases[] = {
        {"two identical programs", lightsDay, lightsDay, 0, json(true, {}, "[]", "[]")},
        {"the same lines in another order are the same program", lightsDay,
         fhp({}, {"L,18:00:00,1,OFF", "L,06:00:00,1,ON"}, {}), 0, json(true, {}, "[]", "[]")},
        {"a changed pulse time: the timer differs all day, the valve reads P1 in both",
         fhp({}, {}, {"W,12:00:00,1,P1,5S,10M", "W,13:00:00,1,OFF"}),
         fhp({}, {}, {"W,12:00:00,1,P1,10S,10M", "W,13:00:00,1,OFF"}), 1,
         json(false, {difference("00:00:00", "24:00:00", "timer 1", "\"5/600\"", "\"10/600\"")},
              "[\"W,12:00:00,1,P1,5S,10M\"]", "[\"W,12:00:00,1,P1,10S,10M\"]")},
        {"a line moved by a second", lightsDay, fhp({}, {"L,06:00:01,1,ON", "L,18:00:00,1,OFF"}, {}), 1,
         json(false, {difference("06:00:00", "06:00:01", "light 1", "\"on\"", "\"off\"")}, "[\"L,06:00:00,1,ON\"]",
              "[\"L,06:00:01,1,ON\"]")},
        {"a line filed in another form with the same effect", fhp({}, {}, {"W,12:00:00,1,P1,60S,10M"}),
         fhp({}, {}, {"W,12:00:00,1,P1,1M,600S"}), 0,
         json(true, {}, "[\"W,12:00:00,1,P1,60S,10M\"]", "[\"W,12:00:00,1,P1,1M,600S\"]")},
        {"a stretch over midnight is two", fhp({}, {"L,22:00:00,1,ON", "L,02:00:00,1,OFF"}, {}),
         fhp({}, {"L,02:00:00,1,OFF"}, {}), 1,
         json(false,
              {difference("00:00:00", "02:00:00", "light 1", "\"on\"", "\"off\""),
               difference("22:00:00", "24:00:00", "light 1", "\"on\"", "\"off\"")},
              "[\"L,22:00:00,1,ON\"]", "[]")},
        {"a difference ends where either side changes its reading",
         fhp({}, {}, {"W,06:00:00,1,ON", "W,18:00:00,1,OFF"}),
         fhp({}, {}, {"W,09:00:00,1,P1,5S,10M", "W,12:00:00,1,OFF"}), 1,
         json(false,
              {difference("00:00:00", "24:00:00", "timer 1", "\"1/30\"", "\"5/600\""),
               difference("06:00:00", "09:00:00", "valve 1", "\"on\"", "\"off\""),
               difference("09:00:00", "12:00:00", "valve 1", "\"on\"", "\"P1\""),
               difference("12:00:00", "18:00:00", "valve 1", "\"on\"", "\"off\"")},
              "[\"W,06:00:00,1,ON\",\"W,18:00:00,1,OFF\"]", "[\"W,09:00:00,1,P1,5S,10M\",\"W,12:00:00,1,OFF\"]")},
        {"at midnight a timer has the times of the day's last line that sets it; by start, then item",
         fhp({}, {}, {"W,06:00:00,1,P1,5S,10M", "W,18:00:00,1,P1,10S,10M"}),
         fhp({}, {}, {"W,06:00:00,1,P1,5S,10M", "W,18:00:00,1,OFF"}), 1,
         json(false,
              {difference("00:00:00", "06:00:00", "valve 1", "\"P1\"", "\"off\""),
               difference("00:00:00", "06:00:00", "timer 1", "\"10/600\"", "\"5/600\""),
               difference("18:00:00", "24:00:00", "valve 1", "\"P1\"", "\"off\""),
               difference("18:00:00", "24:00:00", "timer 1", "\"10/600\"", "\"5/600\"")},
              "[\"W,18:00:00,1,P1,10S,10M\"]", "[\"W,18:00:00,1,OFF\"]")},
        {"set-points are numbers", fhp({"T,06:00:00,70,80"}, {}, {}), fhp({"T,06:00:00,72.5,80"}, {}, {}), 1,
         json(false, {difference("00:00:00", "24:00:00", "low", "70", "72.5")}, "[\"T,06:00:00,70,80\"]",
              "[\"T,06:00:00,72.5,80\"]")},
        {"with --celsius, set-points are numbers in \u00B0C", fhp({"T,06:00:00,70,80"}, {}, {}),
         fhp({"T,06:00:00,72.5,85"}, {}, {}), 1,
         json(false,
              {difference("00:00:00", "24:00:00", "low", "21.1", "22.5"),
               difference("00:00:00", "24:00:00", "high", "26.7", "29.4")},
              "[\"T,06:00:00,70,80\"]", "[\"T,06:00:00,72.5,85\"]"),
         true},
        {"lines count as often as they are filed, the earliest matched first",
         fhp({}, {"L,06:00:00,1,ON", "L,07:00:00,1,ON", "L,06:00:00,1,ON"}, {}), fhp({}, {"L,06:00:00,1,ON"}, {}), 0,
         json(true, {}, "[\"L,07:00:00,1,ON\",\"L,06:00:00,1,ON\"]", "[]")},
        // Fault mended: the second line of a second acted at once, so this was "same".
        {"a line written twice holds the rest back a day, as the controller does",
         fhp({}, {"L,12:00:00,1,ON", "L,13:00:00,2,ON", "L,20:00:00,1/2,OFF"}, {}),
         fhp({}, {"L,12:00:00,1,ON", "L,12:00:00,1,ON", "L,13:00:00,2,ON", "L,20:00:00,1/2,OFF"}, {}), 1,
         json(false,
              {onDay(1, difference("13:00:00", "20:00:00", "light 2", "\"on\"", "\"off\"")),
               onDay(1, difference("20:00:00", "24:00:00", "light 1", "\"off\"", "\"on\"")),
               onDay(2, difference("00:00:00", "12:00:00", "light 1", "\"off\"", "\"on\""))},
              "[]", "[\"L,12:00:00,1,ON\"]")},
        {"a line that fails the check is only in its program, and has no effect",
         fhp({}, {"L,06:00:00,1,ON"}, {}), fhp({}, {"L,06:00:00,1,ON", "L,6,1,\"ON\\"}, {}), 0,
         json(true, {}, "[]", "[\"L,6,1,\\\"ON\\\\\"]")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        doubles::MemoryTextFiles files;
        files.files = {{"a.fhp", c.a}, {"b.fhp", c.b}};
        cli::Args args = {"diff", "a.fhp", "b.fhp", "--format", "json"};
        if (c.celsius)
            args.push_back("--celsius");
        const Outcome got = runCli(args, files);
        EXPECT_EQ(got.status, c.status) << got.err;
        EXPECT_EQ(got.out, c.out);
    }
}

TEST(Diff, TextSaysEachDifferenceTheLinesAndTheChangedTotals)
{
    doubles::MemoryTextFiles files;
    files.files = {{"a.fhp", fhp({}, {}, {"W,12:00:00,3,ON", "W,18:00:00,3,OFF"})},
                   {"b.fhp", fhp({}, {}, {"W,12:00:00,3,P1,5S,10M", "W,18:00:00,3,OFF"})}};
    EXPECT_EQ(runCli({"diff", "a.fhp", "b.fhp"}, files),
              (Outcome{1,
                       "00:00:00\u201324:00:00  timer 1   1/30 \u2192 5/600\n"
                       "12:00:00\u201318:00:00  valve 3   on \u2192 P1\n"
                       "only in a.fhp:\n"
                       "  W,12:00:00,3,ON\n"
                       "only in b.fhp:\n"
                       "  W,12:00:00,3,P1,5S,10M\n"
                       "valve 3: 6 h 00 min on, 0 h 00 min pulsed, water runs 21600 s \u2192 valve 3: 0 h 00 min on, "
                       "6 h 00 min pulsed, water runs 180 s\n",
                       ""}));
}

// Fault mended: a set-point in °C came out with a bare Latin-1 degree sign.
TEST(Diff, TextInCelsiusIsUtf8)
{
    doubles::MemoryTextFiles files;
    files.files = {{"a.fhp", fhp({"T,06:00:00,70,80"}, {}, {})}, {"b.fhp", fhp({"T,06:00:00,72.5,80"}, {}, {})}};
    const Outcome got = runCli({"diff", "a.fhp", "b.fhp", "--celsius"}, files);
    EXPECT_EQ(got.out.substr(0, got.out.find('\n')),
              "00:00:00\u201324:00:00  low       21.1 \u00B0C \u2192 22.5 \u00B0C");
}

// Fault mended: a file's name was taken for Latin-1 and written as UTF-8 again, so
// "温室.fhp" came out as "æ¸©å®¤.fhp".
TEST(Diff, AFileNameInAnyScriptIsWrittenAsItIs)
{
    const std::string name = "\u6E29\u5BA4.fhp"; // 温室.fhp
    doubles::MemoryTextFiles files;
    files.files = {{"a.fhp", fhp({"T,00:10:00,70,76"}, {}, {})},
                   {name, fhp({"T,00:10:00,70,76"}, {"L,06:00:00,1,ON", "L,06:00:00,1,ON"}, {})}};
    EXPECT_EQ(runCli({"diff", "a.fhp", name}, files).err,
              "the controller runs a.fhp over 1 day and " + name + " over 2 days; compared over 2 days\n");
    EXPECT_NE(runCli({"totals", name}, files).err.find(name + ": lines held back a day"), std::string::npos);
}

TEST(Diff, NotesAndFindingsGoToStandardErrorAndLeaveTheStatus)
{
    const struct { const char* why; std::string b; int status; std::string err; } cases[] = {
        {"a line that fails the check", fhp({"T,00:10:00,70,76"}, {"L,06:00:00,1,ON", "L,6,9,ON"}, {}), 0,
         "b.fhp:4: error: invalid light relay #\n"},
        {"a line at 24:MM:SS", fhp({"T,00:10:00,70,76"}, {"L,06:00:00,1,ON", "L,24:30:00,1,ON"}, {}), 0,
         "b.fhp:4: warning: 24:30:00 comes last in the code"},
        {"a cycle of two days, the same each day", fhp({"T,00:10:00,70,76"}, {"L,06:00:00,1,ON", "L,06:00:00,1,ON"}, {}),
         0, "the controller runs a.fhp over 1 day and b.fhp over 2 days; compared over 2 days\n"},
        {"a file that cannot be read", {}, 2, "fernhollow: cannot read b.fhp"},
        {"more lines than the controller holds", fhp(Lines(102, "T,06:00:00,70,80"), {}, {}), 2,
         "too many commands"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        doubles::MemoryTextFiles files;
        files.files = {{"a.fhp", fhp({"T,00:10:00,70,76"}, {"L,06:00:00,1,ON"}, {})}};
        if (!c.b.empty())
            files.files["b.fhp"] = c.b;
        const Outcome got = runCli({"diff", "a.fhp", "b.fhp", "--format", "json"}, files);
        EXPECT_EQ(got.status, c.status);
        EXPECT_NE(got.err.find(c.err), std::string::npos) << got.err;
    }
}

} // namespace
} // namespace fh::test
