#include "session/linewriter.h"

#include "language/datcheck.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fh {
namespace {

using Lines = std::vector<std::string>;
// Not a map: GCC 12 warns of maps in arrays of aggregates.
using Words = std::vector<std::pair<std::string, std::string>>;

struct Request {
    const char* kind;
    Words words;
    bool celsius = false;
};

WrittenLines write(const Request& request)
{
    const LineKindInfo* info = lineKindNamed(request.kind);
    EXPECT_NE(info, nullptr) << request.kind;
    const Display display{request.celsius ? Display::Temperature::Celsius : Display::Temperature::Fahrenheit};
    // Central European time, with no summer time.
    const doubles::FixedZones zones({{"CET", 3600}, {"UTC", 0}});
    return info ? writeLines(info->kind, LineWords(request.words.begin(), request.words.end()), display, zones)
                : WrittenLines{};
}

TEST(LineWriter, WritesTheLinesInFiledFormInOrderOfTheDay)
{
    const struct { Request request; Lines lines; } rows[] = {
        // Past midnight the day wraps, and 24 is 00; the lines after midnight come first.
        {{"water", {{"valves", "6"}, {"at", "23:50, 24:10"}, {"for", "15M"}}},
         {"W,00:05:00,6,OFF", "W,00:10:00,6,ON", "W,00:25:00,6,OFF", "W,23:50:00,6,ON"}},
        // Ids once each, ascending; the forms of the command language's times.
        {{"lights", {{"relays", " 3/1/3 /2"}, {"from", "6"}, {"to", "7:5:9"}}},
         {"L,06:00:00,1/2/3,ON", "L,07:05:09,1/2/3,OFF"}},
        // Pulse times in the largest unit that holds them whole; 1.5M is 90 seconds.
        {{"mist", {{"valves", "4"}, {"timer", "6"}, {"from", "1"}, {"to", "2"}, {"on", "1.5m"}, {"every", "61.5M"}}},
         {"W,01:00:00,4,P6,90S,1H", "W,02:00:00,4,OFF"}},
        {{"mist", {{"valves", "4"}, {"timer", "2"}, {"from", "1"}, {"to", "2"}, {"on", "60s"}, {"every", "1h"}}},
         {"W,01:00:00,4,P2,1M,59M", "W,02:00:00,4,OFF"}},
        // Exact decimals: 70.05 is a half, rounded away from zero; a double holds it a
        // little below.
        {{"ramp", {{"from", "70/80"}, {"to", "70.1/80.3"}, {"start", "0"}, {"for", "2s"}, {"steps", "2"}}},
         {"T,00:00:01,70.1,80.2", "T,00:00:02,70.1,80.3"}},
        // Each step at the whole second at or before its share of the time.
        {{"ramp", {{"from", "60/70"}, {"to", "63/73"}, {"start", "23:59:55"}, {"for", "10s"}, {"steps", "3"}}},
         {"T,00:00:01,62,72", "T,00:00:05,63,73", "T,23:59:58,61,71"}},
        // In °C the steps go in tenths of a °C (0.5 and 0.8 low, 5.3 and 5.5 high), then
        // each into °F as a typed line's °C (0.5 as 32.9, 0.8 as 33.4, 5.3 as 41.5), so the
        // lines read back as the °C they were worked out in.
        {{"ramp", {{"from", "0.25"}, {"to", "0.75"}, {"gap", "4.75"}, {"start", "0"}, {"for", "2s"}, {"steps", "2"}},
          true},
         {"T,00:00:01,32.9,41.5", "T,00:00:02,33.4,41.9"}},
    };
    for (const auto& row : rows) {
        const WrittenLines written = write(row.request);
        EXPECT_EQ(written.refusal, "") << row.request.kind;
        EXPECT_EQ(written.lines, row.lines) << row.request.kind;
        for (const std::string& line : written.lines) {
            const CheckResult r = datcheck(line);
            EXPECT_TRUE(r.dataok && r.cmdline == line) << line << ": " << r.errmsg;
        }
    }
}

TEST(LineWriter, RefusesARequestItCannotMeetSayingWhy)
{
    const Words water = {{"valves", "3"}, {"at", "07:00"}, {"for", "15m"}};
    const Words ramp = {{"from", "65/73"}, {"to", "72/80"}, {"start", "05:00"}, {"for", "2h"}, {"steps", "4"}};
    // The words with one field given anew.
    const auto with = [](Words words, const std::string& name, const std::string& text) {
        std::erase_if(words, [&](const auto& word) { return word.first == name; });
        words.emplace_back(name, text);
        return words;
    };
    const struct { Request request; std::string refusal; } rows[] = {
        // Times a line would read otherwise than they look.
        {{"water", with(water, "at", "8.30")}, "8.30 is not written as a time: hh:mm:ss, each part in digits only"},
        {{"water", with(water, "at", "6:30:00:99")},
         "6:30:00:99 is not written as a time: hh:mm:ss, each part in digits only"},
        {{"water", with(water, "at", "8am")}, "8am is not a time of day (hh:mm:ss on a 24-hour clock)"},
        {{"water", with(water, "at", "24:60")},
         "24:60 is not a time of day: hours run 0 to 24, minutes and seconds 0 to 59"},
        {{"water", with(water, "at", "25")}, "25 is not a time of day: hours run 0 to 24, minutes and seconds 0 to 59"},
        {{"water", with(water, "at", "7,")}, "a time of day is missing"},
        // Durations.
        {{"water", with(water, "for", "15")}, "15 is not a duration: a number and H, M or S, as in 15M"},
        {{"water", with(water, "for", "-5m")}, "-5m is not a duration: a number and H, M or S, as in 15M"},
        {{"water", with(water, "for", "0s")}, "0s is shorter than a second"},
        {{"water", with(water, "for", "0.5S")}, "0.5S is not a whole number of seconds"},
        {{"water", with(water, "for", "24h")}, "24h is not under 24 hours"},
        {{"water", with(water, "for", "99999999999999999999S")},
         "99999999999999999999S is not a duration: a number and H, M or S, as in 15M"},
        {{"water", with(water, "for", "")}, "a duration is missing"},
        // Outputs and timers.
        {{"water", with(water, "valves", "7")}, "7 is not a list of valves: numbers 1 to 6 joined by /"},
        {{"water", with(water, "valves", "1//2")}, "1//2 is not a list of valves: numbers 1 to 6 joined by /"},
        {{"water", {{"at", "07:00"}, {"for", "15m"}}}, "no valves are given"},
        {{"mist", {{"valves", "1"}, {"timer", "1"}, {"from", "8"}, {"to", "18"}, {"on", "10m"}, {"every", "600s"}}},
         "every 10M is not longer than on 10M: the valves would never close"},
        {{"lights", {{"relays", "1"}, {"from", "5"}, {"to", "21"}, {"for", "16h"}}},
         "lights take an end time or a duration, not both"},
        {{"lights", {{"relays", "1"}, {"from", "5"}}}, "an end time or a duration is missing"},
        // A request whose own lines would share a second.
        {{"water", with(water, "at", "07:00,07:15")},
         "two of its lines would act at 07:15:00: W,07:15:00,3,OFF and W,07:15:00,3,ON"},
        // The ramp's own fields, and a step the line check refuses.
        {{"ramp", with(ramp, "steps", "0")}, "0 is not a number of steps from 1 to 100"},
        {{"ramp", with(ramp, "steps", "101")}, "101 is not a number of steps from 1 to 100"},
        {{"ramp", with(ramp, "steps", "")}, "the number of steps is missing"},
        {{"ramp", with(ramp, "to", " ")}, "set-points are missing"},
        {{"ramp", with(ramp, "from", "65")}, "65 is not a pair of set-points LOW/HIGH, as in 65/73"},
        {{"ramp", with(ramp, "gap", "8")}, "65/73 is not one set-point, as in 65 (the gap gives the high one)"},
        {{"ramp", with(with(with(ramp, "gap", "x"), "from", "65"), "to", "72")},
         "x is not a number of degrees, as in 8"},
        {{"ramp", with(ramp, "from", "0/40")}, "step 1, T,05:30:00,18,50: low temp is out of range 32 to 110"},
        // In °C: the same numbers as in °F (no +), an example in °C, the steps checked in °F.
        {{"ramp", with(ramp, "from", "+18/22"), true}, "+18/22 is not a pair of set-points LOW/HIGH, as in 18/23"},
        {{"ramp", with(with(ramp, "from", "-1/20"), "to", "-1/20"), true},
         "step 1, T,05:30:00,30.2,68: low temp is out of range 32 to 110"},
        {{"ramp", with(ramp, "to", "72/72.5")},
         "step 4, T,07:00:00,72,72.5: high temp is too close to low temp (2 degrees F)"},
    };
    for (const auto& row : rows) {
        const WrittenLines written = write(row.request);
        EXPECT_EQ(written.refusal, row.refusal);
        EXPECT_TRUE(written.lines.empty()) << row.refusal;
    }
}

// Lines by the sun at Amsterdam on 2027-03-14, in CET: sunrise 06:57:48, sunset
// 18:42:32 (python3-ephem, to the second); each time to the whole minute, halves up.
TEST(LineWriter, WritesLinesByTheSunAndHowLongTheyStayWithIt)
{
    const Words at = {{"date", "2027-03-14"}, {"place", "52.37,4.9,CET"}};
    const auto with = [&](Words more) {
        more.insert(more.begin(), at.begin(), at.end());
        return more;
    };
    const struct { Request request; Lines lines; std::string note; } rows[] = {
        {{"sun", with({{"relays", "3/1/2"}, {"from", "sunrise-30m"}, {"to", "sunset+1h"}})},
         {"L,06:28:00,1/2/3,ON", "L,19:43:00,1/2/3,OFF"},
         "within 5 min of the sun until 2027-03-16"},
        // A time of day follows no sun; past midnight it wraps.
        {{"sun", with({{"valves", "1"}, {"from", "sunset"}, {"to", "22:00"}})},
         {"W,18:43:00,1,ON", "W,22:00:00,1,OFF"},
         "within 5 min of the sun until 2027-03-17"},
        {{"sun", with({{"relays", "1"}, {"from", "sunset+30m"}, {"to", "sunset + 330m"}})},
         {"L,00:13:00,1,OFF", "L,19:13:00,1,ON"},
         "within 5 min of the sun until 2027-03-17"},
        {{"sun", with({{"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}, {"within", "30m"}})},
         {"T,06:58:00,65,73"},
         "within 30 min of the sun until 2027-03-26"},
        {{"sun", with({{"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}, {"within", "10s"}})},
         {"T,06:58:00,65,73"},
         "not within 10 s of the sun even on 2027-03-14: the times are written to the whole minute"},
        {{"sun", with({{"relays", "1"}, {"from", "05:00"}, {"to", "06:00"}})}, {"L,05:00:00,1,ON", "L,06:00:00,1,OFF"}, ""},
        // Without a zone, the system's (here CET).
        {{"sun", {{"date", "2027-03-14"}, {"place", "52.37,4.9"}, {"at", "sunrise"}, {"heat", "65"}, {"cool", "80"}}},
         {"T,06:58:00,65,80"},
         "within 5 min of the sun until 2027-03-16"},
    };
    for (const auto& row : rows) {
        const WrittenLines written = write(row.request);
        EXPECT_EQ(written.refusal, "");
        EXPECT_EQ(written.lines, row.lines) << row.note;
        EXPECT_EQ(written.note, row.note);
    }

    const struct { Words words; std::string refusal; } refused[] = {
        {{{"date", "2027-06-21"}, {"place", "78.22,15.65,UTC"}, {"relays", "1"}, {"from", "sunrise"}, {"to", "22:00"}},
         "there is no sunrise on 2027-06-21 at 78.22,15.65: the sun stays above the horizon all day (polar day)"},
        {{{"date", "2027-12-21"}, {"place", "78.22,15.65,UTC"}, {"relays", "1"}, {"from", "08:00"}, {"to", "sunset"}},
         "there is no sunset on 2027-12-21 at 78.22,15.65: the sun stays below the horizon all day (polar night)"},
        {{{"date", "2027-06-21"}, {"place", "65,25,UTC"}, {"at", "dawn"}, {"heat", "65"}, {"gap", "8"}},
         "there is no dawn on 2027-06-21 at 65,25: the sun stays less than 6 degrees below the horizon all night (a "
         "white night)"},
        {{{"date", "2027-03-14"}, {"place", "52.37,4.9,Mars/Olympus"}, {"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}},
         "there is no time zone Mars/Olympus"},
        {{{"date", "2027-02-30"}, {"place", "52.37,4.9"}, {"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}},
         "2027-02-30 is not a date YYYY-MM-DD"},
        {{{"date", "2027-03-14"}, {"place", "91,4.9"}, {"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}},
         "91,4.9 is not a place LAT,LON[,ZONE]: degrees north and east, as 52.37,4.9,Europe/Amsterdam"},
        {{{"date", "2027-03-14"}, {"at", "sunrise"}, {"heat", "65"}, {"gap", "8"}}, "the place is missing"},
        {with({{"relays", "1"}, {"at", "sunrise"}, {"from", "sunrise"}, {"to", "sunset"}}),
         "give one of --relays, --valves and --at"},
        {with({{"from", "sunrise"}, {"to", "sunset"}}),
         "give --relays or --valves with --from and --to, or --at with the set-points"},
        {with({{"relays", "1"}, {"from", "sunrise"}, {"to", "sunset"}, {"heat", "65"}}),
         "--heat, --cool and --gap go with --at"},
        {with({{"relays", "1"}, {"from", "sunrise*2"}, {"to", "sunset"}}),
         "sunrise*2 is not an event and an offset, as in sunrise-30m"},
        {with({{"relays", "1"}, {"from", "noon"}, {"to", "sunset"}}),
         "noon is not a time by the sun: sunrise, sunset, dawn or dusk, with an offset as in sunset+1h, or a time of "
         "day"},
        {with({{"relays", "1"}, {"from", "sunrise"}}), "--to is missing"},
        {with({{"relays", "1"}, {"from", "sunrise"}, {"to", "06:58"}}), "--from and --to both come to 06:58:00"},
    };
    for (const auto& row : refused) {
        const WrittenLines written = write({"sun", row.words});
        EXPECT_EQ(written.refusal, row.refusal);
        EXPECT_TRUE(written.lines.empty()) << row.refusal;
    }
}

TEST(LineWriter, AddsLinesOnlyWhereTheProgramHasRoomAndTheSecondIsFree)
{
    const CommandLists program = {{{"T,24:00:00,60,70"}, {"L,06:00:00,1,ON"}, {}}};
    CommandLists full = program;
    full[2].assign(98, "W,12:00:00,1,ON");
    const struct { CommandLists lists; std::vector<std::string> lines; std::optional<std::string> refusal; } rows[] = {
        {full, {"W,07:00:00,3,ON"}, std::nullopt},
        {full, {"W,07:00:00,3,ON", "W,07:15:00,3,OFF"}, "the program would hold 102 lines; it holds at most 101"},
        {program, {"W,05:00:00,3,ON", "W,06:00:00,3,OFF"},
         "W,06:00:00,3,OFF would act in the same second as L,06:00:00,1,ON, already in the program"},
        // 24:00:00 acts at 00:00:00.
        {program, {"L,00:00:00,2,ON"},
         "L,00:00:00,2,ON would act in the same second as T,24:00:00,60,70, already in the program"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(additionRefusal(row.lists, row.lines), row.refusal) << row.lines.front();
}

TEST(LineWriter, NamesTheFindingsTheNewLinesWouldRaise)
{
    // Light 1 is never switched off already; that finding is not the new lines'.
    const CommandLists program = {{{}, {"L,06:00:00,1,ON"}, {"W,05:00:00,1,P1,5S,10M", "W,06:30:00,1,OFF"}}};
    const Display display;
    EXPECT_TRUE(findingsOfAddition(program, {"L,07:00:00,2,ON", "L,08:00:00,2,OFF"}, display).empty());

    const auto found =
        findingsOfAddition(program, {"W,09:00:00,2,P1,3S,10M", "W,09:30:00,2,OFF", "L,10:00:00,3,ON"}, display);
    std::vector<std::pair<std::string_view, Finding::Item>> places;
    for (const Finding& finding : found)
        places.emplace_back(finding.code, finding.item.value_or(Finding::Item{9, 9}));
    // The timer set otherwise at both of its lines, the old one included; light 3 never off.
    EXPECT_EQ(places, (std::vector<std::pair<std::string_view, Finding::Item>>{
                          {code::neverOff, {1, 1}}, {code::timerConflict, {2, 0}}, {code::timerConflict, {2, 2}}}));
    EXPECT_EQ(withLines(program, {"W,09:00:00,2,OFF", "L,10:00:00,3,ON", "X"}),
              (CommandLists{{{}, {"L,06:00:00,1,ON", "L,10:00:00,3,ON"},
                             {"W,05:00:00,1,P1,5S,10M", "W,06:30:00,1,OFF", "W,09:00:00,2,OFF"}}}));
}

} // namespace
} // namespace fh
