// Every command's output on the examples and on generated programs, against what it
// printed when the record was made: moving code between layers must not change a byte.
// The record is one plain file per program in tests/cli/recorded/, each run in it
// as its command line, exit status, standard output, standard error and the files it
// wrote. Drawings are kept as their kind only, so a Qt or font update leaves them be.
// A changed output that is meant is recorded anew, from the work tree's top, with
//   FERNHOLLOW_RECORD=tests/cli/recorded build/tests/fernhollow_cli_tests --gtest_filter='Recorded.*'
// and reviewed with git diff.

#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace fh::test {
namespace {

const std::string examples = FERNHOLLOW_EXAMPLES;

// Lines a grower might write, good and bad: every letter, times up to 24:59:59, pulsed
// and steady valves, words where numbers belong.
std::string generated(std::mt19937& rng)
{
    const auto pick = [&rng](std::initializer_list<const char*> from) {
        return std::string(from.begin()[rng() % from.size()]);
    };
    std::string sections[3];
    for (auto n = 1 + rng() % 40; n > 0; --n) {
        const auto list = rng() % 3;
        std::string line = std::string(1, "TLW"[list]) + "," + std::to_string(rng() % 25) + ":" +
                           std::to_string(rng() % 60) + (rng() % 3 ? "" : std::string(":").append(std::to_string(rng() % 60))) + ",";
        if (list == 0)
            line += std::to_string(50 + rng() % 30) + "," + pick({"80", "75.5", "60", "x"});
        else
            line += pick({"1", "2/4/6", "1/3/5", "6", "", "9"}) + "," +
                    (list == 1 ? pick({"ON", "off", "P1"}) : pick({"ON", "OFF", "P1,3S,10M", "p2,5s,595S", "P3"}));
        if (rng() % 10 == 0)
            line += ",7";
        sections[list] += line + "\r\n";
    }
    return sections[0] + "==\r\n" + sections[1] + "==\r\n" + sections[2];
}

// Bytes under a heading, with CR LF line ends written as plain ones and a missing last
// line end added, each said in the heading, so the record reads and diffs as text.
std::string section(const std::string& heading, std::string bytes)
{
    if (bytes.empty())
        return {};
    std::string said = heading;
    std::string plain;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            plain.append(bytes, at);
            break;
        }
        plain.append(bytes, at, end - at).append("\n");
        at = end + 2;
    }
    const auto lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (lineEnds > 0 && bytes.size() - plain.size() == lineEnds && plain.find('\r') == std::string::npos) {
        said += " (CR LF)";
        bytes = plain;
    }
    if (bytes.back() != '\n') {
        said += " (no line end at the end)";
        bytes += '\n';
    }
    return "--- " + said + "\n" + bytes;
}

// A drawing's kind by its first bytes; its bytes change with Qt and the fonts.
std::string kindOf(const std::string& bytes)
{
    if (bytes.starts_with("\x89PNG\r\n\x1a\n"))
        return "PNG";
    if (bytes.starts_with("%PDF-"))
        return "PDF";
    if (bytes.starts_with("<?xml") && bytes.find("<svg") != std::string::npos)
        return "SVG";
    return "neither PNG, SVG nor PDF";
}

bool isDrawing(const std::string& path)
{
    return path.ends_with(".png") || path.ends_with(".svg") || path.ends_with(".pdf");
}

// Each command in each of its formats, with the options that change what it reads;
// not the calendar, whose DTSTAMP is the wall clock's time of writing.
const std::vector<cli::Args> everyCommand = {
    {"compile", "p.fhp"},
    {"compile", "p.fhp", "--next", "12:00:00"},
    {"lint", "p.fhp"},
    {"lint", "p.fhp", "--format", "tsv"},
    {"state", "p.fhp", "--at", "06:30:00"},
    {"state", "p.fhp", "--at", "23:59:59", "--format", "json"},
    {"totals", "p.fhp"},
    {"totals", "p.fhp", "--format", "json"},
    {"simulate", "p.fhp", "--at", "05:59:50", "--seconds", "40"},
    {"simulate", "p.fhp", "--at", "11:59:58", "--seconds", "5", "--preset"},
    {"decode", "code.txt", "-o", "out"},
    {"add", "p.fhp", "L,7:00,1,ON", "W,8,2,P1,1S,2S", "bad"},
    {"why", "p.fhp", "--at", "11:30:00"},
    {"why", "p.fhp", "--at", "08:00:00", "valve", "3", "timer1", "low", "--format", "json", "--celsius"},
    {"export", "p.fhp", "--format", "csv"},
    {"export", "p.fhp", "--format", "vcd", "-o", "out.vcd"},
};

// A generated program runs each command once: the formats are the examples' to cover,
// and what a program does shows in one of them.
const std::vector<cli::Args> eachCommand = {
    {"compile", "p.fhp", "--next", "12:00:00"},
    {"lint", "p.fhp"},
    {"state", "p.fhp", "--at", "06:30:00"},
    {"totals", "p.fhp", "--format", "json"},
    {"simulate", "p.fhp", "--at", "11:59:58", "--seconds", "5", "--preset"},
    {"decode", "code.txt", "-o", "out"},
    {"add", "p.fhp", "L,7:00,1,ON", "W,8,2,P1,1S,2S", "bad"},
    {"why", "p.fhp", "--at", "12:00:00"},
    {"export", "p.fhp", "--format", "csv"},
};

const std::vector<cli::Args> drawings = {
    {"chart", "p.fhp", "-o", "out.svg", "--size", "600x400"},
    {"chart", "p.fhp", "-o", "out.pdf", "--size", "600x400"},
    {"chart", "p.fhp", "-o", "out.png", "--size", "600x400"},
    {"listing", "p.fhp", "-o", "out.pdf"},
};

// Every run on one program: the command line, the exit status, standard output and
// error, and each file the run wrote or changed.
std::string runs(const std::string& heading, const std::string& program, std::vector<cli::Args> commands,
                 bool drawn)
{
    doubles::MemoryTextFiles files;
    files.files["p.fhp"] = program;
    if (drawn)
        commands.insert(commands.end(), drawings.begin(), drawings.end());
    std::string record = heading;
    for (const auto& args : commands) {
        if (args[0] == "decode")
            files.files["code.txt"] = runCli({"compile", "p.fhp"}, files).out;
        auto copy = files; // add writes its program back
        const Outcome o = runCli(args, copy);
        record += "\n$ fernhollow";
        for (const auto& arg : args)
            record += " " + arg;
        record += "\nexit " + std::to_string(o.status) + "\n";
        if (std::none_of(args.begin(), args.end(), isDrawing))
            record += section("standard output", o.out);
        record += section("standard error", o.err);
        for (const auto& [path, bytes] : copy.files) {
            const auto before = files.files.find(path);
            if (before != files.files.end() && before->second == bytes)
                continue;
            if (isDrawing(path))
                record += "--- wrote " + path + ": " + kindOf(bytes) + "\n";
            else
                record += section("wrote " + path, bytes);
        }
    }
    return record;
}

// The record's files by name.
std::map<std::string, std::string> everyRecord()
{
    std::map<std::string, std::string> records;
    for (const char* name : {"greenhouse", "propagation", "flowering"})
        records[std::string(name) + ".txt"] = runs("# examples/" + std::string(name) + ".fhp\n",
                                                   readFile(examples + "/" + name + ".fhp"), everyCommand, true);
    std::mt19937 rng(20261206);
    for (int n = 0; n < 50; ++n) {
        const std::string program = generated(rng);
        std::string number = std::to_string(n);
        number.insert(0, 3 - number.size(), '0');
        records["generated-" + number + ".txt"] =
            runs(section("generated program " + number, program), program, eachCommand, n < 10);
    }
    return records;
}

// The first line where `got` leaves `want`, with the command it falls under.
std::string firstDifference(const std::string& want, const std::string& got)
{
    std::istringstream w(want), g(got);
    std::string command = "(before any command)";
    for (int line = 1;; ++line) {
        std::string a, b;
        const bool moreA = static_cast<bool>(std::getline(w, a));
        const bool moreB = static_cast<bool>(std::getline(g, b));
        if (!moreA && !moreB)
            return "no line differs";
        if (a != b || moreA != moreB)
            return "line " + std::to_string(line) + ", under " + command + "\n  recorded: " +
                   (moreA ? a : "(end)") + "\n  now:      " + (moreB ? b : "(end)");
        if (a.starts_with("$ "))
            command = a;
    }
}

TEST(Recorded, EveryCommandPrintsWhatItPrintedWhenRecorded)
{
    const std::map<std::string, std::string> records = everyRecord();
    if (const char* folder = std::getenv("FERNHOLLOW_RECORD")) {
        // Nothing is removed: a record no program writes any more is named when compared.
        std::filesystem::create_directories(folder);
        for (const auto& [name, text] : records)
            std::ofstream(std::filesystem::path(folder) / name, std::ios::binary) << text;
        GTEST_SKIP() << "recorded into " << folder;
    }
    const std::filesystem::path folder = FERNHOLLOW_RECORDED;
    std::set<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        kept.insert(entry.path().filename().string());
    for (const auto& [name, text] : records) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(kept.erase(name)) << "no record in " << folder.string();
        const std::string recorded = readFile((folder / name).string());
        EXPECT_TRUE(recorded == text) << (folder / name).string() << ": " << firstDifference(recorded, text);
    }
    EXPECT_TRUE(kept.empty()) << "records of no program: " << testing::PrintToString(kept);
}

} // namespace
} // namespace fh::test
