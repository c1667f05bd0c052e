// Every command's output on the examples and on generated programs, against what it
// printed when the record was made: moving code between layers must not change a byte.
// A changed output that is meant is recorded anew with
//   FERNHOLLOW_RECORD=tests/cli/recorded.txt build/tests/fernhollow_cli_tests --gtest_filter='Recorded.*'

#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

namespace fh::test {
namespace {

const std::string examples = FERNHOLLOW_EXAMPLES;

// FNV-1a: the record keeps a short, stable fingerprint of each output.
std::string fingerprint(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    std::ostringstream text;
    text << std::hex << hash;
    return text.str();
}

// A PDF names the second it was made.
std::string withoutDate(const std::string& bytes)
{
    static const std::regex date("/CreationDate \\(D:[0-9]+Z\\)");
    return std::regex_replace(bytes, date, "/CreationDate ()");
}

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

// One line per run: the arguments, the status and the fingerprints of standard output,
// standard error and the file written.
std::string runs(const std::string& name, const std::string& program, bool drawings)
{
    doubles::MemoryTextFiles files;
    files.files["p.fhp"] = program;
    std::vector<cli::Args> commands = {
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
    };
    if (drawings)
        commands.insert(commands.end(), {{"chart", "p.fhp", "-o", "out.svg", "--size", "600x400"},
                                         {"chart", "p.fhp", "-o", "out.pdf", "--size", "600x400"},
                                         {"chart", "p.fhp", "-o", "out.png", "--size", "600x400"},
                                         {"listing", "p.fhp", "-o", "out.pdf"}});
    std::string record;
    for (const auto& args : commands) {
        if (args[0] == "decode")
            files.files["code.txt"] = runCli({"compile", "p.fhp"}, files).out;
        auto copy = files; // add writes its program back
        const Outcome o = runCli(args, copy);
        const auto to = std::find(args.begin(), args.end(), "-o");
        const auto written = copy.files.find(args[0] == "add" ? "p.fhp" : to != args.end() ? *(to + 1) : "");
        record += name;
        for (const auto& arg : args)
            record += " " + arg;
        record += " -> " + std::to_string(o.status) + " " + fingerprint(o.out) + " " + fingerprint(o.err) + " " +
                  (written == copy.files.end() ? "-" : fingerprint(withoutDate(written->second))) + "\n";
    }
    return record;
}

TEST(Recorded, EveryCommandPrintsWhatItPrintedWhenRecorded)
{
    std::string record;
    for (const char* name : {"greenhouse", "propagation", "flowering"})
        record += runs(name, readFile(examples + "/" + name + ".fhp"), true);
    std::mt19937 rng(20261206);
    for (int n = 0; n < 200; ++n)
        record += runs("generated-" + std::to_string(n), generated(rng), n < 10);

    if (const char* path = std::getenv("FERNHOLLOW_RECORD")) {
        std::ofstream(path, std::ios::binary) << record;
        GTEST_SKIP() << "recorded into " << path;
    }
    const std::string recorded = readFile(FERNHOLLOW_RECORDED);
    ASSERT_FALSE(recorded.empty());
    std::istringstream want(recorded), got(record);
    for (std::string a, b; std::getline(want, a) && std::getline(got, b);)
        ASSERT_EQ(b, a);
    EXPECT_EQ(record.size(), recorded.size());
}

} // namespace
} // namespace fh::test
