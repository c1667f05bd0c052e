#include "language/datcheck.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace fh {
namespace {

// The normalised line of a good line, or the message of the last failing check of a bad one.
TEST(Datcheck, GivesNormalisedLineOrLastMessage)
{
    const struct { const char* line; const char* expected; bool good; } rows[] = {
        // The examples of the help text.
        {"T,4:00:33,78,84", "T,04:00:33,78,84", true},
        {"L,15:22:00,2/4/6,on", "L,15:22:00,2/4/6,ON", true},
        {"W,12:00:00,1/3/5,p1,3s,10m", "W,12:00:00,1/3/5,P1,3S,10M", true},
        // Time normalisation.
        {"t,6,70,80", "T,06:00:00,70,80", true},
        {"T,6:30:00:99,70,80", "T,06:30:00,70,80", true},
        {"T, ,70,80", "T,00:00:00,70,80", true},
        {"T,6:,70,80", "T,06:00:00,70,80", true},
        {"T,24:00,70,80", "T,24:00:00,70,80", true},
        {"T,23.5:58.6:0.5,70,80", "T,24:59:01,70,80", true},
        {"T,6:59.4,70,80", "format time hr:min:sec", false},
        {"T, 7 : 5 : 9 ,70,80", "T,07:05:09,70,80", true},
        {"T,+1E1:-0:007,70,80", "T,10:00:07,70,80", true},
        {"T,25:00,70,80", "format time hr:min:sec", false},
        {"T,6:60,70,80", "format time hr:min:sec", false},
        {"T,-1,70,80", "format time hr:min:sec", false},
        {"T,10:00 PM,70,80", "format military hr:min:sec, no AM/PM", false},
        {"T,1 0,70,80", "format military hr:min:sec, no AM/PM", false},
        {"T,1,000,70,80", "low temp is out of range 32 to 110", false},
        {"T,99a:00,70,80", "format time hr:min:sec", false},
        {"T,99:5a,70,80", "format military hr:min:sec, no AM/PM", false},
        // Empty time: rejected with "missing data" unless a later check fails.
        {"T,,70,80", "missing data", false},
        {"T,,20,80", "low temp is out of range 32 to 110", false},
        // Term count and command letter.
        {"", "missing data", false},
        {"L,6:00,1", "missing data", false},
        {",6:00,70,80", "missing data", false},
        {"X,6:00,1,ON", "T,L, or W only", false},
        {"WL,6:00,1,ON", "T,L, or W only", false},
        {"   ,6:00,1,ON", "T,L, or W only", false},
        {"X,99,1,ON", "T,L, or W only", false},
        {" t ,6:00, 70 , 80 ", " T ,06:00:00, 70 , 80 ", true},
        // Temperatures.
        {"T,6:00,20,21", "high temp is too close to low temp (2 degrees F)", false},
        {"T,6:00,70,72", "T,06:00:00,70,72", true},
        {"T,6:00,72,70", "high temp is too close to low temp (2 degrees F)", false},
        {"T,6:00,abc,80", "low temp is out of range 32 to 110", false},
        {"T,6:00,70,abc", "high temp is too close to low temp (2 degrees F)", false},
        {"T,6:00,70,111", "high temp is out of range 32 to 110", false},
        {"T,6:00,32,110", "T,06:00:00,32,110", true},
        {"T,6:00,70f,80f", "T,06:00:00,70F,80F", true},
        {"T,6:00,7 0,8 0,x,y", "T,06:00:00,7 0,8 0,X,Y", true},
        {"T,6:00,1E400,80", "high temp is too close to low temp (2 degrees F)", false},
        // Water lines.
        {"W,12:00,1/2/3/4/5/6/1,ON", "too many valves :-)", false},
        {"W,12:00,1/2/3/4/5/6,ON", "W,12:00:00,1/2/3/4/5/6,ON", true},
        {"W,12:00,,ON", "W,12:00:00,,ON", true},
        {"W,12:00,0,ON", "invalid valve #", false},
        {"W,12:00,7,ON", "invalid valve #", false},
        {"W,12:00,A,ON", "invalid valve #", false},
        {"W,12:00,1//2,ON", "invalid valve #", false},
        {"W,12:00, ,ON", "invalid valve #", false},
        {"W,12:00,2.5,OFF", "W,12:00:00,2.5,OFF", true},
        {"W,12:00,1,X", "on, off. or (p)ulse", false},
        {"W,12:00,9,X", "on, off. or (p)ulse", false},
        {"W,12:00,1,P7", "only 6 timers, pick one!", false},
        {"W,12:00,1,P0", "only 6 timers, pick one!", false},
        {"W,12:00,1,P", "pulse format, P#", false},
        {"W,12:00,1,P1.5", "pulse format, P#", false},
        {"W,12:00,1,P&H1", "pulse format, P#", false},
        {"W,12:00,1,P1", "W,12:00:00,1,P1", true},
        {"W,12:00,1,PP2", "W,12:00:00,1,PP2", true},
        {"W,12:00,1, p 3 ,5s,1h", "W,12:00:00,1, P 3 ,5S,1H", true},
        {"W,12:00,1,P1,3S,10M,X", "too many valve terms", false},
        {"W,12:00,1,P9,3S,10M,X", "too many valve terms", false},
        {"W,12:00,1,ON,a,b,c,d", "W,12:00:00,1,ON,A,B,C,D", true},
        {"W,12:00,1,P1,H3,10M", "Need h,m, or s for pulse.", false},
        {"W,12:00,1,P1,3S,H3", "W,12:00:00,1,P1,3S,H3", true},
        {"W,12:00,1,P1,M3,S", "off pulse format number plus H,M, or S", false},
        {"W,12:00,1,P1,3X,10M", "on pulse format number plus H,M, or S", false},
        {"W,12:00,1,P1,3,10M", "Need h,m, or s for pulse.", false},
        {"W,12:00,1,P1,3S,10", "Need h,m, or s for pulse.", false},
        {"W,12:00,1,P1,3S,10X", "off pulse format number plus H,M, or S", false},
        {"W,12:00,1,P1,1H30M,1.5M", "W,12:00:00,1,P1,1H30M,1.5M", true},
        {"W,12:00,1,P1, 3 S ,S10", "W,12:00:00,1,P1, 3 S ,S10", true},
        {"W,12:00,1,P1,,", "off pulse format number plus H,M, or S", false},
        // Five terms in a pulse mode: the pulse-on term is checked, then the line fails.
        {"W,12:00,1,P1,3S", "missing data", false},
        {"W,12:00,1,P1,3X", "missing data", false},
        {"W,12:00,1,ON,3S", "W,12:00:00,1,ON,3S", true},
        // Light lines.
        {"L,6:00,1/2/3/4/5/6/1,on", "L,06:00:00,1/2/3/4/5/6/1,ON", true},
        {"L,6:00,1/2/3/4/5/6/1/2,on", "too many light relays :-)", false},
        {"L,6:00,0,on", "invalid light relay #", false},
        {"L,6:00,1,dim", "on, off only", false},
        {"L,6:00,0,dim", "on, off only", false},
        {"L,6:00,1, off ,x", "L,06:00:00,1, OFF ,X", true},
        // Last failing check wins.
        {"T,99,20,80", "low temp is out of range 32 to 110", false},
        {"W,AM,7,ON", "invalid valve #", false},
        {"W,12:00,1,P7,3X,10M", "on pulse format number plus H,M, or S", false},
        // Only a-z change case.
        {"L,6:00,1,on,\xe9", "L,06:00:00,1,ON,\xe9", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const CheckResult r = datcheck(row.line);
        const std::string expected = row.expected, none;
        EXPECT_EQ(std::tuple(r.dataok, r.cmdline, r.errmsg),
                  row.good ? std::tuple(true, expected, none) : std::tuple(false, none, expected));
    }
}

} // namespace
} // namespace fh

namespace fh {
namespace {

// The shortcut for filed lines must give what the full check gives, on lines built
// from the pieces filed lines are made of, right and slightly wrong.
TEST(Datcheck, ShortcutForFiledLinesAgreesWithTheFullCheck)
{
    std::mt19937 random(33);
    const std::vector<std::vector<std::string>> pieces = {
        {"T", "L", "W", "t", "X", " T", ""},
        {",", ",,", ""},
        {"00:00:00", "24:00:00", "24:59:59", "25:00:00", "08:60:00", "8:00:00", "08:00", "08:00:00 ", "99:99:99"},
        {","},
        {"1/2", "75", "1", "6", "7", "0", "1/2/3/4/5/6", "1/2/3/4/5/6/1", "1/2/3/4/5/6/1/2", "1//2", "", "32",
         "110", "31", "111", "060", "0110", "77"},
        {",", ",,", ""},
        {"ON", "P1", "77", "OFF", "on", "P6", "P7", "P0", "P", "P11", "33", "110", " ON"},
        {"", ",5S,595S", ",10M,1H", ",5S", ",5S,595S,1", ",S,5S", ",5,5S", ",1234567890S,5S", ",5s,5S", ",H5,5S"},
    };
    // Half the picks from the first three of each piece, so that many lines are good.
    const auto pick = [&random](const std::vector<std::string>& choices) {
        const std::size_t most = std::bernoulli_distribution(0.5)(random) ? std::min<std::size_t>(choices.size(), 3)
                                                                           : choices.size();
        return choices[std::uniform_int_distribution<std::size_t>(0, most - 1)(random)];
    };
    int shortcuts = 0;
    for (int n = 0; n < 200000; ++n) {
        std::string line;
        for (const auto& choices : pieces)
            line += pick(choices);
        const CheckResult full = fullCheck(line);
        const CheckResult quick = datcheck(line);
        ASSERT_EQ(std::tie(quick.dataok, quick.errmsg, quick.cmdline), std::tie(full.dataok, full.errmsg, full.cmdline))
            << line;
        shortcuts += alreadyFiled(line) ? 1 : 0;
    }
    EXPECT_GT(shortcuts, 300);

    // The shapes files hold take the shortcut.
    for (const char* line : {"T,04:00:33,78,84", "L,15:22:00,2/4/6,ON", "W,12:00:00,1/3/5,P1,3S,10M",
                             "W,00:00:00,1,OFF", "L,24:00:00,1/2/3/4/5/6/1,OFF", "W,08:00:00,6,P6"})
        EXPECT_TRUE(alreadyFiled(line)) << line;
}

} // namespace
} // namespace fh
