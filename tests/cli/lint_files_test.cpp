#include "harness.h"

#include <gtest/gtest.h>

#include <vector>

namespace fh::test {
namespace {

doubles::MemoryTextFiles folder()
{
    doubles::MemoryTextFiles files;
    files.files = {
        {"clean.fhp", "T,06:00:00,70,80\r\n==\r\n==\r\n"},
        {"empty.fhp", "==\r\n==\r\n"},
        {"noon.fhp", "==\r\nL,12:00:00,1,ON\r\n==\r\n"},
        {"wet.fhp", "==\r\n==\r\nW,07:00:00,3,ON\r\n"},
        {"tab\tname.fhp", "==\r\nL,12:00:00,1,ON\r\n==\r\n"},
    };
    files.failing = {{"locked.fhp", "Permission denied"}};
    return files;
}

const std::string noonText = "noon.fhp:2: warning: light 1 is switched on but no line switches it off [never-off]\n";
const std::string wetText = "wet.fhp:3: warning: valve 3 is switched on but no line switches it off [never-off]\n";
const std::string noonRow = "2\twarning\tnever-off\tlight 1 is switched on but no line switches it off\n";
const std::string wetRow = "3\twarning\tnever-off\tvalve 3 is switched on but no line switches it off\n";
const std::string emptyText =
    "empty.fhp:1: error: the file holds no command line: there is no program [empty-program]\n";
const std::string locked = "fernhollow: cannot read locked.fhp: Permission denied\n";
const std::string gone = "fernhollow: cannot read gone.fhp: No such file or directory\n";
const std::string missing = "fernhollow: an argument is missing\nusage: fernhollow lint FILE... [--format text|tsv]\n";

struct Row {
    cli::Args args;
    int status;
    std::string out, err;
};

void expectEach(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        doubles::MemoryTextFiles files = folder();
        const Outcome linted = runCli(row.args, files);
        EXPECT_EQ(linted.status, row.status) << ::testing::PrintToString(row.args);
        EXPECT_EQ(linted.out, row.out) << ::testing::PrintToString(row.args);
        EXPECT_EQ(linted.err, row.err) << ::testing::PrintToString(row.args);
    }
}

TEST(LintFiles, ChecksEveryFileAndExitsWithTheWorstOutcome)
{
    const std::vector<Row> rows = {
        {{"lint", "clean.fhp"}, 0, "", ""},
        {{"lint", "clean.fhp", "empty.fhp"}, 1, emptyText, ""},
        {{"lint", "clean.fhp", "noon.fhp", "empty.fhp"}, 1, noonText + emptyText, ""},
        {{"lint", "noon.fhp", "wet.fhp"}, 1, noonText + wetText, ""},
        // A file that cannot be read does not stop the others, wherever it stands.
        {{"lint", "locked.fhp", "noon.fhp", "wet.fhp"}, 2, noonText + wetText, locked},
        {{"lint", "noon.fhp", "gone.fhp", "wet.fhp"}, 2, noonText + wetText, gone},
        {{"lint", "clean.fhp", "locked.fhp"}, 2, "", locked},
        {{"lint", "locked.fhp", "gone.fhp"}, 2, "", locked + gone},
        // The same file twice is checked twice.
        {{"lint", "noon.fhp", "noon.fhp"}, 1, noonText + noonText, ""},
        {{"lint", "noon.fhp", "--format", "text", "wet.fhp"}, 1, noonText + wetText, ""},
        {{"lint"}, 2, "", missing},
        {{"lint", "--format", "tsv"}, 2, "", missing},
    };
    expectEach(rows);
}

TEST(LintFiles, NamesTheFileInAFirstColumnOnlyWithSeveralOperands)
{
    const std::vector<Row> rows = {
        {{"lint", "noon.fhp", "--format", "tsv"}, 1, noonRow, ""},
        {{"lint", "--format", "tsv", "noon.fhp", "clean.fhp", "wet.fhp"}, 1,
         "noon.fhp\t" + noonRow + "wet.fhp\t" + wetRow, ""},
        // The column is there when the operands are several, readable or not.
        {{"lint", "noon.fhp", "locked.fhp", "--format", "tsv"}, 2, "noon.fhp\t" + noonRow, locked},
        // A tab in the name would shift the columns.
        {{"lint", "tab\tname.fhp", "clean.fhp", "--format", "tsv"}, 1, "tab name.fhp\t" + noonRow, ""},
    };
    expectEach(rows);
}

TEST(LintFiles, HelpShowsThatFilesMayBeMany)
{
    doubles::MemoryTextFiles files;
    const Outcome help = runCli({"lint", "--help"}, files);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, "usage: fernhollow lint FILE... [--format text|tsv]\n"
                        "check whole program files for lines that will not do what they seem to\n");
}

} // namespace
} // namespace fh::test
