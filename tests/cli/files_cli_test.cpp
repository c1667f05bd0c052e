#include "process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fh::test {
namespace {

const std::string examples = FERNHOLLOW_EXAMPLES;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::size_t indent(const std::string& line)
{
    return line.find_first_not_of(' ');
}

// The text lines of each page of a PDF, as pdftotext lays them out, blank ones left out.
std::vector<std::vector<std::string>> pdfPages(const std::string& pdf)
{
    const std::string text = pdf + ".txt";
    const std::string command = "pdftotext -layout '" + pdf + "' '" + text + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::vector<std::string>> pages;
    std::istringstream in(readFile(text));
    for (std::string page; std::getline(in, page, '\f');) {
        pages.emplace_back();
        for (const auto& line : lines(page))
            if (line.find_first_not_of(' ') != std::string::npos)
                pages.back().push_back(line);
    }
    return pages;
}

TEST(ListingCommand, PrintsTheExampleUnderItsHeading)
{
    const std::string dir = scratchDir();
    const Outcome o = runFernhollow({"listing", examples + "/propagation.fhp", "-o", dir + "/p.pdf"});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto pages = pdfPages(dir + "/p.pdf");
    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::string> expected{"GREENHOUSE PROGRAM"};
    for (const auto& line : lines(readFile(examples + "/propagation.fhp")))
        expected.push_back(line.substr(0, line.size() - 1));
    std::vector<std::string> printed;
    for (const auto& line : pages[0])
        printed.push_back(line.substr(indent(line)));
    EXPECT_EQ(printed, expected);
    // Heading, then separators, then items, from the deepest indent down.
    EXPECT_GT(indent(pages[0][0]), indent(pages[0][4]));
    EXPECT_GT(indent(pages[0][4]), indent(pages[0][1]));
    std::filesystem::remove_all(dir);
}

struct PagesCase {
    const char* name;
    int list1, list2, list3;
    std::vector<std::size_t> linesPerPage;
};

class ListingPages : public testing::TestWithParam<PagesCase> {};

TEST_P(ListingPages, BreakAfter50ItemsThenEvery51)
{
    const PagesCase& c = GetParam();
    std::string file;
    const auto section = [&file](char letter, int count) {
        for (int i = 0; i < count; ++i)
            file += std::string(1, letter) + ",12:00:00," + std::to_string(i) + ",ON\r\n";
    };
    section('T', c.list1);
    file += "==\r\n";
    section('L', c.list2);
    file += "==\r\n";
    section('W', c.list3);
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", file);
    const Outcome o = runFernhollow({"listing", dir + "/p.fhp", "-o", dir + "/p.pdf"});
    ASSERT_EQ(o.status, 0) << o.err;
    std::vector<std::size_t> counts;
    for (const auto& page : pdfPages(dir + "/p.pdf"))
        counts.push_back(page.size());
    EXPECT_EQ(counts, c.linesPerPage);
    std::filesystem::remove_all(dir);
}

// Text lines per page: the heading, items and separators (the empty lines print no text).
INSTANTIATE_TEST_SUITE_P(Cases, ListingPages,
                         testing::Values(PagesCase{"Empty", 0, 0, 0, {3}},
                                         PagesCase{"FiftyInList1", 50, 0, 0, {51, 2}},
                                         PagesCase{"FullFirstPage", 10, 10, 80, {53, 50}},
                                         PagesCase{"HundredFifty", 60, 51, 39, {51, 52, 50}}),
                         [](const auto& info) { return info.param.name; });

struct FailureCase {
    const char* name;
    std::vector<std::string> args; // "@" stands for the scratch folder
    std::string err;
};

class FileCommandFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(FileCommandFailures, SayWhyInOneLine)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", "==\r\n==\r\n");
    const auto place = [&dir](std::string text) {
        for (auto at = text.find('@'); at != std::string::npos; at = text.find('@'))
            text.replace(at, 1, dir);
        return text;
    };
    std::vector<std::string> args;
    for (const auto& a : GetParam().args)
        args.push_back(place(a));
    const Outcome o = runFernhollow(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, place(GetParam().err));
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(readFile(dir + "/p.fhp"), "==\r\n==\r\n");
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileCommandFailures,
    testing::Values(
        FailureCase{"ListingOfMissingFile", {"listing", "@/none.fhp", "-o", "@/x.pdf"},
                    "fernhollow: cannot read @/none.fhp: No such file or directory\n"},
        FailureCase{"ListingOfFolder", {"listing", "@", "-o", "@/x.pdf"}, "fernhollow: cannot read @: Is a directory\n"},
        FailureCase{"ListingIntoMissingFolder", {"listing", "@/p.fhp", "-o", "@/no/x.pdf"},
                    "fernhollow: cannot write @/no/x.pdf: No such file or directory\n"},
        FailureCase{"AddToFolder", {"add", "@", "T,6,70,80"}, "fernhollow: cannot read @: Is a directory\n"},
        FailureCase{"AddInMissingFolder", {"add", "@/no/p.fhp", "T,6,70,80"},
                    "fernhollow: cannot write @/no/p.fhp: No such file or directory\n"}),
    [](const auto& info) { return info.param.name; });

TEST(AddCommand, FilesGoodLinesAndReportsBadOnes)
{
    const std::string dir = scratchDir();
    const Outcome o = runFernhollow({"add", dir + "/p.fhp", "w,12,1,p1,3s,10m", "T,25,70,80", "t,6,70,80", "L,6,1,on"});
    EXPECT_EQ(o.out, "error: format time hr:min:sec\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(readFile(dir + "/p.fhp"), "T,06:00:00,70,80\r\n==\r\nL,06:00:00,1,ON\r\n==\r\nW,12:00:00,1,P1,3S,10M\r\n");
    std::filesystem::remove_all(dir);
}

TEST(AddCommand, AppendsLinesOfStandardInputToTheFile)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", "t,6,70,80 \r\n==\r\n   \r\n==\r\n");
    const Outcome o = runFernhollow({"add", dir + "/p.fhp"}, "L,6,1,on\r\nW,7,2,off\n");
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(readFile(dir + "/p.fhp"), "t,6,70,80 \r\n==\r\nL,06:00:00,1,ON\r\n==\r\nW,07:00:00,2,OFF\r\n");
    std::filesystem::remove_all(dir);
}

TEST(Examples, PassTheCheckAndSurviveLoadAndSave)
{
    for (const char* name : {"greenhouse.fhp", "propagation.fhp"}) {
        const std::string original = readFile(examples + "/" + name);
        std::string items;
        for (const auto& line : lines(original))
            if (line != "==\r")
                items += line + "\n";
        const Outcome checked = runFernhollow({"check"}, items);
        EXPECT_EQ(checked.status, 0) << name << "\n" << checked.out;

        const std::string dir = scratchDir();
        writeFile(dir + "/copy.fhp", original);
        EXPECT_EQ(runFernhollow({"add", dir + "/copy.fhp"}).status, 0);
        EXPECT_EQ(readFile(dir + "/copy.fhp"), original) << name;
        std::filesystem::remove_all(dir);
    }
}

} // namespace
} // namespace fh::test
