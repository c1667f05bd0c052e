#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fh::test {
namespace {

// Every command on files that are not program files: a clear one-line message or a
// correct result, never a crash or a hang (ctest's timeout catches a hang).
class BadInput : public testing::Test {
protected:
    void SetUp() override
    {
        dir = scratchDir();
        writeFile(dir + "/empty.fhp", "");
        std::string binary;
        for (int i = 0; i < 8192; ++i)
            binary += static_cast<char>((i * 131 + 7) % 256);
        writeFile(dir + "/binary.fhp", binary);
        writeFile(dir + "/huge.fhp", "");
        std::filesystem::resize_file(dir + "/huge.fhp", 100 * 1024 * 1024);
        writeFile(dir + "/oneline.fhp", "T,06:00:00,70,80," + std::string(10'000'000, 'x') + "\r\n");
        std::string wide = "W,06:00:00,1/2,P1,5S,1M";
        for (int i = 0; i < 194; ++i)
            wide += ",9";
        writeFile(dir + "/wide.fhp", wide + "\r\n");
        std::filesystem::create_directory(dir + "/folder");
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string dir;
};

TEST_F(BadInput, EveryCommandAnswersClearly)
{
    const std::string noProgram = "no program present!\n";
    const auto cannot = [&](const std::string& name, const std::string& why) {
        return "fernhollow: cannot read " + dir + "/" + name + ": " + why + "\n";
    };
    const std::string tooLarge = "larger than 16 MiB, not a program file";
    const struct {
        const char* file;
        int compile, simulate, chart, listing, add;
        std::string compileErr, simulateErr, chartErr;
    } rows[] = {
        {"missing.fhp", 2, 2, 2, 2, 0, cannot("missing.fhp", "No such file or directory"),
         cannot("missing.fhp", "No such file or directory"), cannot("missing.fhp", "No such file or directory")},
        {"folder", 2, 2, 2, 2, 2, cannot("folder", "Is a directory"), cannot("folder", "Is a directory"),
         cannot("folder", "Is a directory")},
        {"empty.fhp", 0, 2, 2, 0, 0, "", noProgram, noProgram},
        {"binary.fhp", 0, 0, 0, 0, 0, "", "", ""},
        {"huge.fhp", 2, 2, 2, 2, 2, cannot("huge.fhp", tooLarge), cannot("huge.fhp", tooLarge),
         cannot("huge.fhp", tooLarge)},
        {"oneline.fhp", 0, 0, 0, 0, 0, "", "", ""},
        {"wide.fhp", 0, 0, 0, 0, 0, "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string file = dir + "/" + row.file;
        Outcome o = runFernhollow({"compile", file});
        EXPECT_EQ(o.status, row.compile);
        EXPECT_EQ(o.err, row.compileErr);
        o = runFernhollow({"simulate", file, "--at", "05:59:58", "--seconds", "3"});
        EXPECT_EQ(o.status, row.simulate);
        EXPECT_EQ(o.err, row.simulateErr);
        o = runFernhollow({"chart", file, "-o", dir + "/out.png", "--size", "280x240"});
        EXPECT_EQ(o.status, row.chart);
        EXPECT_EQ(o.err, row.chartErr);
        o = runFernhollow({"listing", file, "-o", dir + "/out.pdf"});
        EXPECT_EQ(o.status, row.listing);
        EXPECT_EQ(o.err, row.compileErr);
        o = runFernhollow({"add", file, "T,6,70,80"});
        EXPECT_EQ(o.status, row.add);
        EXPECT_LE(std::count(o.err.begin(), o.err.end(), '\n'), 1);
    }
}

TEST_F(BadInput, CheckReadsAnyStandardInput)
{
    const struct {
        const char* file;
        int status;
    } rows[] = {{"empty.fhp", 0}, {"binary.fhp", 1}, {"oneline.fhp", 0}, {"wide.fhp", 1}};
    for (const auto& row : rows) {
        const Outcome o = runFernhollow({"check"}, readFile(dir + "/" + row.file));
        EXPECT_EQ(o.status, row.status) << row.file;
        EXPECT_EQ(o.err, "") << row.file;
    }
}

} // namespace
} // namespace fh::test
