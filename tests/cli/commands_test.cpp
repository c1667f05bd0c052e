#include "harness.h"

#include "compiler/decode.h"
#include "files/programfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace fh::test {
namespace {

doubles::MemoryTextFiles programFiles()
{
    doubles::MemoryTextFiles files;
    files.files = {
        {"p.fhp", "T,04:00:33,78,84\r\n==\r\nL,15:22:00,2/4/6,ON\r\n==\r\nW,12:00:00,1/3/5,P1,3S,10M\r\n"},
        {"empty.fhp", "==\r\n==\r\n"},
        {"long.fhp", writeProgramFile({std::vector<std::string>(102, "T,06:00:00,70,80")})},
        {"midnight.fhp", "T,12:00:00,70,76\r\n==\r\nL,00:00:01,2,ON\r\n==\r\n"},
        // Lines that never passed the check: timers 9 and 0, pulses beyond 1e18 seconds,
        // set-points of exponent size.
        {"unchecked.fhp", "T,12:00:04,1E20,1E-5\r\n==\r\n==\r\nW,12:00:00,1,P9,5S,5S\r\n"
                          "W,12:00:01,2,P0,5S,5S\r\nW,12:00:02,3,P1,1S,1E20S,1E19S\r\n"},
        {"noon.fhp", "==\r\nL,12:00:00,1,ON\r\n==\r\n"},
        {"p.code", "T,04:00:33,78,84, 0, 0, 0, 0, 0,     0     0     0\r\n"
                   "W,12:00:00,11,-1,11,-1,11,-1,11,     3   600     0\r\n"
                   "L,15:22:00,-1, 1,-1, 1,-1, 1, 0,     0     0     0\r\n\r\n"},
        {"bad.code", "L,15:22:00,-1, 1,-1, 1,-1, 1, 0,     0     0     0\n"
                     "HELLO,, 0, 0, 0, 0, 0, 0, 0,     0     0     0\n"},
        {"old.fhp", "t,6,70,80 \r\n==\r\n   \r\n==\r\n"},
        {"locked.fhp", ""},
        {"tail.fhp", "==\r\n==\r\n==\r\n  \r\nkept\r\n"},
        {"failing.fhp", "T,06:00:00,70,71\r\n==\r\nL,06:00:00,1,ON\r\n==\r\n"},
        {"anew.fhp", "t,6,70,80\r\n==\r\nl,7,1,on\r\n==\r\n"},
        {"lint.fhp", "t,6,70,80\r\nT,07:00:00,70,71\r\n==\r\n==\r\nW,07:00:00,3,ON,15M\r\n==\r\nx\r\n"},
        {"fifo", "==\r\n==\r\n"},
        {"wrap.fhp", "T,00:10:00,70,76\r\nT,06:00:00,72,73\r\n==\r\nL,24:30:00,1,ON\r\nL,20:00:00,1,OFF\r\n==\r\n"},
        {"bom.fhp", "\xEF\xBB\xBFT,06:00:00,70,80\r\n==\r\n==\r\n"},
        {"mist.fhp", "T,05:00:00,68,78.8\r\n==\r\nL,06:00:00,1/2,ON\r\nL,22:00:00,1/2,OFF\r\n==\r\n"
                     "W,08:00:00,1,P1,5S,595S\r\nW,18:00:00,1,OFF\r\nW,07:00:00,3,ON\r\nW,07:15:00,3,OFF\r\n"},
    };
    files.pipes = {"fifo"};
    files.failing = {{"locked.fhp", "Permission denied"}};
    for (const char* missing : {"no/p.fhp", "no/c.svg", "no/x.pdf"})
        files.failing[missing] = "No such file or directory";
    return files;
}

std::string placed(std::string text, const std::string& dir)
{
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + dir.size()))
        text.replace(at, 1, dir);
    return text;
}

const std::string off = " taps=000000 timers=000000 low=74 high=78 pending=";

struct Row {
    cli::Args args; // "@" stands for a scratch folder, where Qt writes charts and listings
    std::string input;
    int status;
    std::string out, err;
    // The file the command leaves behind, when it writes one.
    std::string written = {}, content = {};
};

// Each row run on fresh files: its status, both outputs and the file it writes.
template <std::size_t N>
void expectAnswers(const Row (&rows)[N])
{
    const ScratchDir dir;
    for (const Row& row : rows) {
        cli::Args args;
        for (const auto& arg : row.args)
            args.push_back(placed(arg, dir.path));
        SCOPED_TRACE(testing::PrintToString(args));
        auto files = programFiles();
        const Outcome o = runCli(args, files, row.input);
        EXPECT_EQ(o, (Outcome{row.status, row.out, placed(row.err, dir.path)}));
        if (!row.written.empty()) {
            EXPECT_EQ(files.files[row.written], row.content);
        }
    }
}

TEST(CommandLine, AnswersEachCommand)
{
    const std::string cannotRead = "fernhollow: cannot read ";
    const std::string compileUsage = "usage: fernhollow compile FILE [--next HH:MM:SS]\n";
    const std::string simulateUsage = "usage: fernhollow simulate FILE --at HH:MM:SS --seconds N [--preset]\n";
    const std::string chartUsage =
        "usage: fernhollow chart FILE (-o OUT | --printer NAME [--wait SECONDS]) [--size WxH] [--no-totals] "
        "[--celsius] [--plain]\n";
    const std::string listingUsage =
        "usage: fernhollow listing FILE (-o OUT.pdf | --printer NAME [--wait SECONDS]) [--plain]\n";
    const std::string wantsTime = " wants a time HH:MM:SS, not ";
    const std::string wantsSeconds = "fernhollow: --seconds wants a whole number from 0 to 604800, not ";
    const std::string wrapped = "wrap.fhp:2: error: high temp is too close to low temp (2 degrees F)\n"
                                "wrap.fhp:4: warning: 24:30:00 comes last in the code; the lines before 00:30:00 "
                                "wait for it, so the program runs every second day; write 00:30:00 [midnight-wrap]\n";
    const std::string twoDays = "wrap.fhp: lines held back a day make this program repeat every 2 days; one block a day\n";
    const Row rows[] = {
        {{"check", "t,4:00:33,78,84", "X,6:00,1,ON"}, "", 1, "T,04:00:33,78,84\nerror: T,L, or W only\n", ""},
        {{"check"}, "L,15:22:00,2/4/6,on\r\nW,12:00:00,1/3/5,p1,3s,10m\n", 0,
         "L,15:22:00,2/4/6,ON\nW,12:00:00,1/3/5,P1,3S,10M\n", ""},
        {{"check"}, "\n", 1, "error: missing data\n", ""},
        {{"check", "-x"}, "", 1, "error: missing data\n", ""},
        // Fault mended: a mistyped option was checked as a command line.
        {{"check", "--celsus", "T,6,20C,26C"}, "", 2, "",
         "fernhollow: unknown option '--celsus' (see fernhollow check --help)\n"},
        {{"add", "new.fhp", "T,6,70,80", "--celsus"}, "", 2, "",
         "fernhollow: unknown option '--celsus' (see fernhollow add --help)\n", "new.fhp", ""},

        {{"compile", "p.fhp", "--next", "12:00:00"}, "", 0,
         "T,04:00:33,78,84, 0, 0, 0, 0, 0,     0     0     0\n"
         "W,12:00:00,11,-1,11,-1,11,-1,11,     3   600     0\n"
         "L,15:22:00,-1, 1,-1, 1,-1, 1, 0,     0     0     0\n"
         "next: 2\n",
         ""},
        {{"compile", "missing.fhp"}, "", 2, "", cannotRead + "missing.fhp: No such file or directory\n"},
        {{"compile", "locked.fhp"}, "", 2, "", cannotRead + "locked.fhp: Permission denied\n"},
        // Fault mended: these named neither the program nor its file.
        {{"compile", "long.fhp"}, "", 2, "",
         "fernhollow: long.fhp: too many commands: the program holds at most 101 lines\n"},
        // Fault mended: no program said "next: 0".
        {{"compile", "empty.fhp", "--next", "12:00:00"}, "", 2, "", "fernhollow: empty.fhp: no program present!\n"},
        {{"compile", "--next", "25:00:00"}, "", 2, "", "fernhollow: --next" + wantsTime + "25:00:00\n"},
        {{"compile"}, "", 2, "", "fernhollow: an argument is missing\n" + compileUsage},
        {{"compile", "p.fhp", "--next"}, "", 2, "", "fernhollow: --next wants a value\n" + compileUsage},
        {{"compile", "p.fhp", "-o", "x"}, "", 2, "", "fernhollow: unknown option '-o' (see fernhollow compile --help)\n"},

        {{"simulate", "midnight.fhp", "--at", "23:59:59", "--seconds", "12"}, "", 0,
         "23:59:59 lamps=000000" + off + "0\n00:00:01 lamps=010000" + off + "1\n"
         "00:00:06 lamps=010000 taps=000000 timers=000001 low=74 high=78 pending=1\n"
         "00:00:07 lamps=010000" + off + "1\n"
         "00:00:10 lamps=010000 taps=000000 timers=000010 low=74 high=78 pending=1\n"
         "00:00:11 lamps=010000" + off + "1\n",
         ""},
        // Valve 1 follows no timer (there is no timer 9), valve 2 is not switched (10 is no
        // pulse state), and valve 3 stays shut: timer 1's phase of 1e19 seconds keeps it
        // far from its one second on.
        {{"simulate", "unchecked.fhp", "--at", "11:59:59", "--seconds", "5"}, "", 1,
         "11:59:59 lamps=000000" + off + "0\n12:00:00 lamps=000000" + off + "1\n12:00:01 lamps=000000" + off +
             "2\n12:00:02 lamps=000000" + off + "3\n"
             "12:00:04 lamps=000000 taps=000000 timers=000000 low=100000000000000000000 high=0.00001 pending=0\n",
         "unchecked.fhp:1: error: high temp is too close to low temp (2 degrees F)\n"
         "unchecked.fhp:4: error: only 6 timers, pick one!\nunchecked.fhp:5: error: only 6 timers, pick one!\n"
         "unchecked.fhp:6: error: too many valve terms\n"},
        // No line is later than 12:00:00, so line 0 is pending, due in the second of switching on.
        // Started from the program's state: lamps lit and set-points set the evening before,
        // valves pulsing by their timer from the next second.
        {{"simulate", "p.fhp", "--at", "04:00:00", "--seconds", "1", "--preset"}, "", 0,
         "04:00:00 lamps=010101 taps=000000 timers=000000 low=78 high=84 pending=0\n"
         "04:00:01 lamps=010101 taps=101010 timers=100000 low=78 high=84 pending=0\n",
         ""},
        {{"simulate", "p.fhp", "--at", "04:00:00", "--seconds", "1", "--preset", "--preset"}, "", 2, "",
         "fernhollow: --preset given twice\n" + simulateUsage},
        {{"simulate", "noon.fhp", "--seconds", "0", "--at", "12:00:00"}, "", 0, "12:00:00 lamps=100000" + off + "0\n",
         ""},
        {{"simulate", "empty.fhp", "--at", "08:00:00", "--seconds", "5"}, "", 2, "",
         "fernhollow: empty.fhp: no program present!\n"},
        {{"simulate", "p.fhp", "--at", "24:00:00", "--seconds", "5"}, "", 2, "", "fernhollow: --at" + wantsTime + "24:00:00\n"},
        {{"simulate", "p.fhp", "--at", "8:00:00", "--seconds", "5"}, "", 2, "", "fernhollow: --at" + wantsTime + "8:00:00\n"},
        {{"simulate", "p.fhp", "--at", "08:00:00", "--seconds", "99999999999999999999999"}, "", 2, "",
         wantsSeconds + "99999999999999999999999\n"},
        {{"simulate", "p.fhp", "--at", "08:00:00", "--seconds", "604801"}, "", 2, "", wantsSeconds + "604801\n"},
        {{"simulate", "p.fhp", "--at", "08:00:00"}, "", 2, "", "fernhollow: --seconds is missing\n" + simulateUsage},

        {{"chart", "empty.fhp", "-o", "@/c.png"}, "", 2, "", "fernhollow: empty.fhp: no program present!\n"},
        {{"chart", "p.fhp"}, "", 2, "", "fernhollow: give -o or --printer\n" + chartUsage},
        {{"chart", "p.fhp", "-o", "@/c.gif"}, "", 2, "", "fernhollow: @/c.gif: the chart is written as .png, .svg or .pdf\n"},
        {{"chart", "p.fhp", "-o", "@/c.png", "--size", "0x100"}, "", 2, "",
         "fernhollow: --size wants WxH, each 1 to 8192, not 0x100\n"},
        {{"chart", "p.fhp", "-o", "no/c.svg"}, "", 2, "", "fernhollow: cannot write no/c.svg: No such file or directory\n"},

        {{"listing", "p.fhp", "-o", "no/x.pdf"}, "", 2, "", "fernhollow: cannot write no/x.pdf: No such file or directory\n"},
        {{"listing", "p.fhp"}, "", 2, "", "fernhollow: give -o or --printer\n" + listingUsage},
        // Fault mended: an empty file name was taken for a printer's.
        {{"listing", "p.fhp", "-o", ""}, "", 2, "", "fernhollow: -o wants a file name, not an empty one\n"},
        {{"decode", "p.code", "-o", ""}, "", 2, "", "fernhollow: -o wants a file name, not an empty one\n"},
        {{"listing", "p.fhp", "-o", "@/x.pdf", "--printer", "PDF"}, "", 2, "",
         "fernhollow: give -o or --printer, not both\n" + listingUsage},
        {{"chart", "p.fhp", "--printer", "pdf"}, "", 2, "",
         "fernhollow: there is no printer pdf; the printers are Office, PDF\n"},

        {{"decode", "p.code"}, "", 0, "T,04:00:33,78,84\n==\nL,15:22:00,2/4/6,ON\n==\nW,12:00:00,1/3/5,P1,3S,600S\n",
         ""},
        {{"decode", "p.code", "-o", "new.fhp"}, "", 0, "", "", "new.fhp",
         "T,04:00:33,78,84\r\n==\r\nL,15:22:00,2/4/6,ON\r\n==\r\nW,12:00:00,1/3/5,P1,3S,600S\r\n"},
        {{"decode", "bad.code", "-o", "new.fhp"}, "", 1, "", "bad.code:2: error: " + std::string(notCode) + "\n",
         "new.fhp", ""},
        {{"decode", "p.code", "-o", "no/p.fhp"}, "", 2, "",
         "fernhollow: cannot write no/p.fhp: No such file or directory\n"},

        {{"add", "new.fhp", "w,12,1,p1,3s,10m", "T,25,70,80", "t,6,70,80", "L,6,1,on"}, "", 1,
         "error: format time hr:min:sec\n", "", "new.fhp",
         "T,06:00:00,70,80\r\n==\r\nL,06:00:00,1,ON\r\n==\r\nW,12:00:00,1,P1,3S,10M\r\n"},
        // Fault mended: the blank line 3 was an error, "missing data", and the status 1.
        {{"add", "old.fhp"}, "L,6,1,on\r\nW,7,2,off\n", 0, "",
         "old.fhp:1: warning: filed as T,06:00:00,70,80 \n", "old.fhp",
         "T,06:00:00,70,80 \r\n==\r\nL,06:00:00,1,ON\r\n==\r\nW,07:00:00,2,OFF\r\n"},
        // Fault mended: the lines after the third separator were lost for good.
        {{"add", "tail.fhp", "L,6,1,on"}, "", 2, "",
         "tail.fhp:5: error: after the third separator, not loaded\n"
         "fernhollow: tail.fhp has lines after the third separator; not rewritten\n",
         "tail.fhp", "==\r\n==\r\n==\r\n  \r\nkept\r\n"},
        // Fault mended: a line break went into an item, and UTF-8 into the Latin-1 file.
        {{"add", "new.fhp", "L,6,1,on\ry", "T,6,70\xC2\xB0,80", "L,7,1,\xE2\x82\xAC"}, "", 1,
         "error: a command line cannot hold a line break\n"
         "error: only Latin-1 characters can be stored in the program file\n",
         "", "new.fhp", "T,06:00:00,70\xB0,80\r\n==\r\n==\r\n"},
        {{"check", "l,6,1,on\n", "T,6,70\xC2\xB0,80"}, "", 1,
         "error: a command line cannot hold a line break\nT,06:00:00,70\xC2\xB0,80\n", ""},
        // Fault mended: a pipe or a device was replaced by a regular file.
        {{"add", "fifo", "T,6,70,80"}, "", 2, "", cannotRead + "fifo: fifo is not a regular file\n", "fifo", "==\r\n==\r\n"},
        {{"compile", "fifo"}, "", 0, "", ""},
        // Fault mended: the mark failed the first line. It is not saved again.
        {{"add", "bom.fhp", "L,6,1,on"}, "", 0, "", "bom.fhp:1: warning: a byte-order mark at the start was ignored\n",
         "bom.fhp", "T,06:00:00,70,80\r\n==\r\nL,06:00:00,1,ON\r\n==\r\n"},
        {{"lint", "bom.fhp"}, "", 1,
         "bom.fhp:1: warning: a byte-order mark at the start was ignored [byte-order-mark]\n", ""},
        {{"add", "no/p.fhp", "T,6,70,80"}, "", 2, "", "fernhollow: cannot write no/p.fhp: No such file or directory\n"},
        {{"add"}, "", 2, "", "fernhollow: an argument is missing\nusage: fernhollow add FILE [--celsius] [--as-read] [LINE...]\n"},

        // The notes of the load come back as findings, not a second time on standard error.
        {{"lint", "lint.fhp"}, "", 1,
         "lint.fhp:1: warning: not in filed form; loaded as T,06:00:00,70,80 [filed-anew]\n"
         "lint.fhp:2: error: high temp is too close to low temp (2 degrees F) [bad-line]\n"
         "lint.fhp:5: warning: valve 3 is switched on but no line switches it off [never-off]\n"
         "lint.fhp:5: warning: 15M after ON does nothing: valve 3 is not switched off by it [ignored-terms]\n"
         "lint.fhp:7: error: after the third separator, not loaded [not-loaded]\n",
         ""},
        // Fault mended: a file of no program passed with no finding.
        {{"lint", "empty.fhp"}, "", 1,
         "empty.fhp:1: error: the file holds no command line: there is no program [empty-program]\n", ""},
        {{"lint", "p.fhp", "--format", "xml"}, "", 2, "", "fernhollow: --format wants text or tsv, not xml\n"},

        // Faults mended: the failing line set 72/73, and the line at 24:30:00 went unmentioned.
        // The line at 24:30:00 and the others hold each other back a day in turn: on day
        // 1 light 1 is on until 20:00, on day 2 from 00:30 to midnight.
        {{"state", "wrap.fhp", "--at", "07:00:00"}, "", 1,
         "day 1 of 2\nat 07:00:00\nlights:  1 on  2 off  3 off  4 off  5 off  6 off\n"
         "valves:  1 off  2 off  3 off  4 off  5 off  6 off\nset-points: low 70, high 76\n"
         "day 2 of 2\nat 07:00:00\nlights:  1 on  2 off  3 off  4 off  5 off  6 off\n"
         "valves:  1 off  2 off  3 off  4 off  5 off  6 off\nset-points: low 70, high 76\n",
         wrapped + twoDays},
        {{"totals", "wrap.fhp", "--format", "json"}, "", 1,
         "{\"cycle_days\":2,\"days\":[{\"lights_on\":[72000,0,0,0,0,0],\"valves_on\":[0,0,0,0,0,0],"
         "\"valves_pulsed\":[0,0,0,0,0,0],\"valves_open\":[0,0,0,0,0,0],"
         "\"valves_litres\":[null,null,null,null,null,null],\"lights_kwh\":[null,null,null,null,null,null],"
         "\"lights_dli\":[null,null,null,null,null,null],\"dli\":null,\"longest_dark\":{\"seconds\":16200,\"from\":\"20:00:00\",\"to\":\"00:30:00\"},"
         "\"low\":{\"min\":70,\"max\":70},\"high\":{\"min\":76,\"max\":76}},"
         "{\"lights_on\":[84600,0,0,0,0,0],\"valves_on\":[0,0,0,0,0,0],\"valves_pulsed\":[0,0,0,0,0,0],"
         "\"valves_open\":[0,0,0,0,0,0],\"valves_litres\":[null,null,null,null,null,null],"
         "\"lights_kwh\":[null,null,null,null,null,null],"
         "\"lights_dli\":[null,null,null,null,null,null],\"dli\":null,\"longest_dark\":{\"seconds\":16200,\"from\":\"20:00:00\",\"to\":\"00:30:00\"},"
         "\"low\":{\"min\":70,\"max\":70},\"high\":{\"min\":76,\"max\":76}}]}\n",
         wrapped + twoDays},
        {{"state", "empty.fhp", "--at", "08:00:00"}, "", 2, "", "fernhollow: empty.fhp: no program present!\n"},
        {{"why", "empty.fhp", "--at", "08:00:00"}, "", 2, "", "fernhollow: empty.fhp: no program present!\n"},
        {{"export", "empty.fhp", "--format", "csv"}, "", 2, "", "fernhollow: empty.fhp: no program present!\n"},
        {{"why", "missing.fhp", "--at", "08:00:00"}, "", 2, "", cannotRead + "missing.fhp: No such file or directory\n"},
        {{"export", "missing.fhp", "--format", "vcd"}, "", 2, "", cannotRead + "missing.fhp: No such file or directory\n"},
        {{"why", "long.fhp", "--at", "08:00:00"}, "", 2, "",
         "fernhollow: long.fhp: too many commands: the program holds at most 101 lines\n"},
        {{"export", "long.fhp", "--format", "ics"}, "", 2, "",
         "fernhollow: long.fhp: too many commands: the program holds at most 101 lines\n"},
        {{"state", "p.fhp"}, "", 2, "",
         "fernhollow: --at is missing\nusage: fernhollow state FILE --at HH:MM:SS [--format text|json] [--celsius]\n"},

        {{"bogus"}, "", 2, "", "fernhollow: unknown command 'bogus' (see fernhollow --help)\n"},
        {{"--bogus", "p.fhp"}, "", 2, "", "fernhollow: unknown option '--bogus' (see fernhollow --help)\n"},
        {{"--version"}, "", 0, "fernhollow " FERNHOLLOW_VERSION "\n", ""},
    };
    expectAnswers(rows);
}

// °C for reading and typing, water and power: each option read by the same reader.
TEST(CommandLine, ReadsAndTakesCelsiusAndTotalsWaterAndPower)
{
    const std::string ratesUsage = "OUTPUT=RATE pairs joined by commas (outputs 1 to 6, each once), as 1=2.5,3=10";
    const Row rows[] = {
        {{"check", "--celsius", "T,6,20C,26C"}, "", 0, "T,06:00:00,68,78.8\n", ""},
        // A bare number is still °F, and said to be.
        {{"check", "--celsius"}, "t,6,20 \xC2\xB0" "c,80\n", 1, "T,06:00:00,68,80\n",
         "-:1: warning: 80 is read as \xC2\xB0" "F (26.7 \xC2\xB0" "C); write 80C if you meant \xC2\xB0" "C [unit-text]\n"},
        // Without the option C is no unit: 20 and 26 degrees F.
        {{"check", "T,6,20C,26C"}, "", 1, "error: high temp is out of range 32 to 110\n", ""},
        {{"add", "--celsius", "new.fhp", "T,6,20C,26C"}, "", 0, "", "", "new.fhp",
         "T,06:00:00,68,78.8\r\n==\r\n==\r\n"},
        {{"state", "mist.fhp", "--at", "12:00:00", "--celsius"}, "", 0,
         "at 12:00:00\nlights:  1 on  2 on  3 off  4 off  5 off  6 off\n"
         "valves:  1 P1  2 off  3 off  4 off  5 off  6 off\n"
         "set-points: low 20.0 \xC2\xB0" "C, high 26.0 \xC2\xB0" "C\n",
         ""},
        {{"state", "mist.fhp", "--at", "12:00:00", "--celsius", "--format", "json"}, "", 0,
         "{\"time\":\"12:00:00\",\"lights\":[\"on\",\"on\",\"off\",\"off\",\"off\",\"off\"],"
         "\"valves\":[\"P1\",\"off\",\"off\",\"off\",\"off\",\"off\"],\"low\":20.0,\"high\":26.0}\n",
         ""},
        {{"totals", "mist.fhp", "--format", "json", "--celsius", "--flow", "1=2.5,3=10", "--watts", "1=400,2=400",
          "--ppfd", "1=250,2=120.5,6=300"},
         "",
         0,
         "{\"lights_on\":[57600,57600,0,0,0,0],\"valves_on\":[0,0,900,0,0,0],\"valves_pulsed\":[36000,0,0,0,0,0],"
         "\"valves_open\":[300,0,900,0,0,0],\"valves_litres\":[12.5,null,150.0,null,null,null],"
         "\"lights_kwh\":[6.40,6.40,null,null,null,null],\"lights_dli\":[14.4,6.9,null,null,null,0.0],"
         "\"dli\":21.3,\"longest_dark\":{\"seconds\":28800,\"from\":\"22:00:00\",\"to\":\"06:00:00\"},"
         "\"low\":{\"min\":20.0,\"max\":20.0},\"high\":{\"min\":26.0,\"max\":26.0}}\n",
         ""},
        {{"totals", "mist.fhp", "--flow", "1=2.5"}, "", 0,
         "light 1: 16 h 00 min on\nlight 2: 16 h 00 min on\nlight 3: 0 h 00 min on\nlight 4: 0 h 00 min on\n"
         "light 5: 0 h 00 min on\nlight 6: 0 h 00 min on\n"
         "valve 1: 0 h 00 min on, 10 h 00 min pulsed, water runs 300 s, 12.5 l\n"
         "valve 2: 0 h 00 min on, 0 h 00 min pulsed, water runs 0 s\n"
         "valve 3: 0 h 15 min on, 0 h 00 min pulsed, water runs 900 s\n"
         "valve 4: 0 h 00 min on, 0 h 00 min pulsed, water runs 0 s\n"
         "valve 5: 0 h 00 min on, 0 h 00 min pulsed, water runs 0 s\n"
         "valve 6: 0 h 00 min on, 0 h 00 min pulsed, water runs 0 s\n"
         "low set-point: 68 to 68\nhigh set-point: 78.8 to 78.8\ndark 8 h 00 min, 22:00-06:00\n"
         "the day: 12.5 l of water\n",
         ""},
        {{"totals", "mist.fhp", "--flow", "1=2.5,1=3"}, "", 2, "",
         "fernhollow: --flow wants " + ratesUsage + ", not 1=2.5,1=3\n"},
        {{"totals", "mist.fhp", "--watts", ""}, "", 2, "", "fernhollow: --watts wants " + ratesUsage + ", not an empty one\n"},
        {{"totals", "mist.fhp", "--ppfd", "1=250,7=1"}, "", 2, "",
         "fernhollow: --ppfd wants " + ratesUsage + ", not 1=250,7=1\n"},
        {{"lint", "mist.fhp", "--celsius"}, "", 2, "",
         "fernhollow: unknown option '--celsius' (see fernhollow lint --help)\n"},
    };
    expectAnswers(rows);
}

// Faults mended: check printed a line that reads otherwise than it looks as if it were
// fine, and add filed it, after which nothing could find the slip again.
TEST(CommandLine, WarnsOfEachLineAsWrittenAndAddsNoSlip)
{
    const std::string p = "T,04:00:33,78,84\r\n==\r\nL,15:22:00,2/4/6,ON\r\n==\r\nW,12:00:00,1/3/5,P1,3S,10M\r\n";
    const std::string late = "-:1: warning: 19.30 reads as 19:00:00 [time-text]\n";
    const std::string asRead = "; nothing written: write the line as meant, or give --as-read to file the lines as read\n";
    const std::string swapped = "on 10M, off 5S: valve 4 is on for 10 minutes and off for only 5 seconds each time; "
                                "on and off swapped? write P2,5S,10M (off 10 minutes) or P2,5S,595S (every 10 minutes) [pulse-swapped]\n";
    const std::string bare = " is read as \xC2\xB0" "F (4.4 \xC2\xB0" "C); write 40C if you meant \xC2\xB0" "C [unit-text]\n";
    const Row rows[] = {
        {{"check", "T,19.30,65,73"}, "", 1, "T,19:00:00,65,73\n", late},
        {{"check", "L,6,1,on", "W,9,4,P2,10M,5S", "W,7,,ON"}, "", 1,
         "L,06:00:00,1,ON\nW,09:00:00,4,P2,10M,5S\nW,07:00:00,,ON\n",
         "-:2: warning: " + swapped + "-:3: warning: names no valve: the line does nothing [no-output]\n"},
        // The place among the lines given counts the failing ones too.
        {{"check"}, "X,6,1,ON\nT,6.30,70,80\n", 1, "error: T,L, or W only\nT,06:00:00,70,80\n",
         "-:2: warning: 6.30 reads as 06:00:00 [time-text]\n"},
        {{"check", "--celsius", "T,6,40,20C"}, "", 1, "T,06:00:00,40,68\n", "-:1: warning: 40" + bare},

        {{"add", "p.fhp", "T,19.30,65,73"}, "", 1, "", late + "fernhollow: -:1: T,19.30,65,73 would be filed as "
                                                          "T,19:00:00,65,73" + asRead, "p.fhp", p},
        {{"add", "p.fhp", "--as-read", "T,19.30,65,73"}, "", 0, "", "", "p.fhp",
         "T,04:00:33,78,84\r\nT,19:00:00,65,73\r\n==\r\nL,15:22:00,2/4/6,ON\r\n==\r\nW,12:00:00,1/3/5,P1,3S,10M\r\n"},
        // One slip stops the whole add, the good lines with it.
        {{"add", "new.fhp"}, "L,6,1,on\nW,9,4,P2,10M,5S\n", 1, "",
         "-:2: warning: " + swapped + "fernhollow: -:2: W,9,4,P2,10M,5S would be filed as W,09:00:00,4,P2,10M,5S" +
             asRead,
         "new.fhp", ""},
        {{"add", "--celsius", "new.fhp", "T,6,40,20C"}, "", 1, "",
         "-:1: warning: 40" + bare + "fernhollow: -:1: T,6,40,20C would be filed as T,06:00:00,40,68" + asRead,
         "new.fhp", ""},
        {{"add", "new.fhp", "W,6,1,P1,9m55s,10M"}, "", 1, "",
         "-:1: warning: 9M55S reads as 9 seconds; write 595S [pulse-text]\nfernhollow: -:1: W,6,1,P1,9m55s,10M would be "
         "filed as W,06:00:00,1,P1,9M55S,10M" + asRead,
         "new.fhp", ""},
        // A finding that leaves the line meaning what it says is no slip.
        {{"add", "new.fhp", "W,7,,ON"}, "", 0, "", "", "new.fhp", "==\r\n==\r\nW,07:00:00,,ON\r\n"},
    };
    expectAnswers(rows);
}

// Fault mended: a command that noted a line failing the check ended with 0. It does its
// job with what loaded and ends with 1; a warning alone leaves 0, a failure still gives 2.
TEST(CommandLine, EndsWithOneAfterAnErrorNote)
{
    // "F" stands for the program file; `shows` shows the job was done, in the file `in` or on
    // standard output; `failure` is the command failing on a file with an error note.
    const struct { cli::Args args; std::string shows, in; cli::Args failure; } commands[] = {
        {{"compile", "F"}, " 1,-1,-1,-1,-1,-1,", "", {"compile", "tail.fhp", "--next", "06:00:00"}},
        {{"state", "F", "--at", "07:00:00"}, "lights:  1 on", "", {"state", "tail.fhp", "--at", "07:00:00"}},
        {{"totals", "F"}, "light 1: 24 h 00 min on", "", {"totals", "tail.fhp"}},
        {{"simulate", "F", "--at", "07:00:00", "--seconds", "1"}, "07:00:00 lamps=", "",
         {"simulate", "tail.fhp", "--at", "07:00:00", "--seconds", "1"}},
        {{"chart", "F", "-o", "c.png", "--size", "100x60"}, "PNG", "c.png", {"chart", "tail.fhp", "-o", "c.png"}},
        {{"listing", "F", "-o", "x.pdf"}, "%PDF", "x.pdf", {"listing", "failing.fhp", "-o", "no/x.pdf"}},
        {{"add", "F", "L,7,1,OFF"}, "L,07:00:00,1,OFF", "F", {"add", "tail.fhp", "L,7,1,OFF"}},
    };
    for (const auto& command : commands) {
        for (const auto& [file, status] : {std::pair{"failing.fhp", 1}, std::pair{"anew.fhp", 0}}) {
            cli::Args args = command.args;
            std::ranges::replace(args, std::string("F"), std::string(file));
            SCOPED_TRACE(testing::PrintToString(args));
            auto files = programFiles();
            const Outcome o = runCli(args, files);
            EXPECT_EQ(o.status, status) << o.err;
            const std::string& done = command.in.empty() ? o.out : files.files[command.in == "F" ? file : command.in];
            EXPECT_NE(done.find(command.shows), std::string::npos) << done;
        }
        auto files = programFiles();
        EXPECT_EQ(runCli(command.failure, files).status, 2) << testing::PrintToString(command.failure);
    }
}

TEST(CommandLine, PrintsOnANamedPrinterAsAJobNamedAfterTheFile)
{
    auto files = programFiles();
    files.files["farm/g.fhp"] = files.files["p.fhp"];
    doubles::NamedPrinters printers;
    printers.names = {"PDF"};
    EXPECT_EQ(runCli({"listing", "p.fhp", "--printer", "PDF"}, files, {}, &printers).status, 0);
    EXPECT_EQ(runCli({"chart", "farm/g.fhp", "--printer", "PDF"}, files, {}, &printers).status, 0);
    EXPECT_EQ(printers.opened,
              (std::vector<std::string>{"PDF: p.fhp \xE2\x80\x93 listing", "PDF: g.fhp \xE2\x80\x93 chart"}));
    printers.names.clear();
    EXPECT_EQ(runCli({"listing", "p.fhp", "--printer", "PDF"}, files, {}, &printers).err,
              "fernhollow: there is no printer PDF; there are no printers\n");
}

// A job is followed until the queue says what became of it, for --wait seconds at most
// (10 unless given), asked every half second; the waits pass in no time here.
TEST(CommandLine, APrintIsPrintedOnlyWhenTheQueueSaysSo)
{
    using State = JobStatus::State;
    const JobStatus waiting{State::Waiting, {}};
    const struct {
        const char* name;
        std::vector<JobStatus> answers;
        cli::Args options;
        int status;
        std::string err;
        int paused;
    } cases[] = {
        {"completed after a while", {waiting, waiting, {State::Printed, {}}}, {}, 0, "", 1000},
        {"aborted by its backend",
         {waiting, {State::Failed, "The printer is not responding."}},
         {},
         2,
         "fernhollow: the printer Office did not print the job 1: The printer is not responding.\n",
         500},
        {"cancelled", {{State::Failed, "job-canceled-by-user"}}, {}, 2,
         "fernhollow: the printer Office did not print the job 1: job-canceled-by-user\n", 0},
        {"pending past the default wait", {waiting}, {}, 0, "fernhollow: sent to Office as job 1\n", 10000},
        {"pending past a wait given", {waiting}, {"--wait", "3"}, 0, "fernhollow: sent to Office as job 1\n", 3000},
        {"only sent", {{State::Failed, "never asked"}}, {"--wait", "0"}, 0, "fernhollow: sent to Office as job 1\n", 0},
        {"on a stopped queue", {waiting, {State::QueueStopped, "out of paper"}}, {}, 0,
         "fernhollow: Office is stopped (out of paper); the job waits\n", 500},
        {"the service gone meanwhile", {{State::ServiceDown, "no answer at /run/cups/cups.sock: Bad file descriptor"}},
         {}, 2, "fernhollow: the print service is not running (no answer at /run/cups/cups.sock: Bad file descriptor)\n",
         0},
    };
    for (const char* command : {"listing", "chart"})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(command) + ": " + c.name);
            auto files = programFiles();
            doubles::NamedPrinters printers;
            printers.names = {"Office"};
            printers.jobs->answers = c.answers;
            cli::Args args{command, "p.fhp", "--printer", "Office"};
            args.insert(args.end(), c.options.begin(), c.options.end());
            int paused = 0;
            EXPECT_EQ(runCli(args, files, {}, &printers, &paused), (Outcome{c.status, "", c.err}));
            EXPECT_EQ(paused, c.paused);
        }
}

TEST(CommandLine, APrintServiceThatIsDownIsNotTakenForAMissingPrinter)
{
    auto files = programFiles();
    doubles::NamedPrinters printers;
    printers.names = {"Office"};
    printers.down = "no answer at localhost: Bad file descriptor";
    for (const char* command : {"listing", "chart"})
        EXPECT_EQ(runCli({command, "p.fhp", "--printer", "Office"}, files, {}, &printers),
                  (Outcome{2, "", "fernhollow: the print service is not running (no answer at localhost: Bad file "
                                  "descriptor)\n"}));
    EXPECT_TRUE(printers.opened.empty());
}

TEST(CommandLine, WaitTakesWholeSecondsAndPlainLeavesTheFooterOff)
{
    auto files = programFiles();
    for (const char* wait : {"-1", "3601", "2.5", "x", ""})
        EXPECT_EQ(runCli({"listing", "p.fhp", "--printer", "Office", "--wait", wait}, files),
                  (Outcome{2, "", "fernhollow: --wait wants a whole number of seconds from 0 to 3600, not " +
                                      std::string(*wait ? wait : "an empty one") + "\n"}));
    doubles::NamedPrinters printers;
    printers.names = {"Office"};
    files.files["farm/g.fhp"] = files.files["p.fhp"];
    for (const char* command : {"listing", "chart"}) {
        EXPECT_EQ(runCli({command, "farm/g.fhp", "--printer", "Office"}, files, {}, &printers).status, 0);
        EXPECT_EQ(runCli({command, "farm/g.fhp", "--printer", "Office", "--plain"}, files, {}, &printers).status, 0);
    }
    const std::string footer = "g.fhp \u2014 printed 2024-05-17 14:03";
    EXPECT_EQ(printers.footers, (std::vector<std::string>{footer, "", footer, ""}));
}

TEST(CommandLine, HelpListsTheCommandsAndShowsTheUsageOfEach)
{
    doubles::MemoryTextFiles files;
    const Outcome help = runCli({"--help"}, files);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(runCli({"-h"}, files).out, help.out);
    const Outcome none = runCli({}, files);
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, help.out);
    // Every command the help lists answers --help and -h with its usage, whatever follows.
    std::istringstream listed(help.out.substr(help.out.find("commands:\n") + 10));
    int commands = 0;
    for (std::string name, summary; listed >> name && std::getline(listed, summary); ++commands)
        for (const char* flag : {"--help", "-h"}) {
            const Outcome o = runCli({name, "p.fhp", flag, "--bogus"}, files);
            EXPECT_EQ(o.status, 0) << name;
            EXPECT_TRUE(o.out.starts_with("usage: fernhollow " + name + " ")) << o.out;
            EXPECT_EQ(o.err, "") << name;
        }
    EXPECT_GT(commands, 0) << "no command read from the help";
}

TEST(CommandLine, OpensTheWindowsForNoArgumentOrAFile)
{
    const auto exists = [](const std::string& path) { return path == "program" || path == "check"; };
    const struct { cli::Args args; bool window; } rows[] = {
        {{}, true},
        {{"program"}, true},
        {{"new.fhp"}, true}, // missing: the window says so
        {{"check"}, false},  // a command before a file of its name
        {{"compile", "p.fhp"}, false},
        {{"--help"}, false},
        {{"bogus"}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(cli::opensWindow(row.args, exists), row.window) << testing::PrintToString(row.args);
}

} // namespace
} // namespace fh::test
