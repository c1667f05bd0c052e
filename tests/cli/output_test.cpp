#include "harness.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <cstdlib>
#include <set>
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

// Chart units to pixels of a W x H picture: x from -2 to 26, y from 12 down to -12.
struct Frame {
    int w, h;
    QPoint at(double x, double y) const
    {
        return {static_cast<int>(std::floor((x + 2) / 28 * w + 0.5)),
                static_cast<int>(std::floor((12 - y) / 24 * h + 0.5))};
    }
};

TEST(ChartCommand, DrawsTheGeometryOfTheChartAtTheRequestedSize)
{
    const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0), plotArea(200, 200, 200), pulse(190, 190, 255),
        window(240, 240, 240);
    doubles::MemoryTextFiles files;
    files.files["p.fhp"] = "T,08:00:00,60,80\r\n==\r\nL,06:00:00,1,ON\r\nL,18:00:00,1,OFF\r\n==\r\n"
                           "W,12:00:00,1,P1,3S,10M\r\nW,13:00:00,1,OFF\r\nW,07:27:00,2,ON\r\nW,10:57:00,2,OFF\r\n";
    for (const Frame f : {Frame{1680, 1008}, Frame{1000, 700}}) {
        cli::Args args = {"chart", "p.fhp", "-o", "chart.png"};
        if (f.w != 1680)
            args.insert(args.end(), {"--size", std::to_string(f.w) + "x" + std::to_string(f.h)});
        const Outcome o = runCli(args, files);
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        const QImage image = QImage::fromData(QByteArray::fromStdString(files.files["chart.png"]));
        ASSERT_EQ(image.size(), QSize(f.w, f.h));
        const struct { const char* what; double x, y; QColor color; } samples[] = {
            {"window around the plot", -1.5, 11.5, window},
            {"plot area", 3.5, 9.5, plotArea},
            {"light 1 off before 6", 3.5, 4, black},
            {"light 1 on at noon", 12.5, 4.7, black},
            {"light 1 nothing below at noon", 12.5, 4.3, plotArea},
            {"valve 1 off in the morning", 9.5, -3, black},
            {"pulse block left end", 12, -2.65, black},
            {"pulse block fill", 12.9, -2.5, pulse},
            // On a half pixel at 1000 wide.
            {"valve 2 rises at 7:27", 7.45, -1.65, black},
            {"low set-point 60 F", 3.5, -7, blue},
            {"high set-point 80 F", 3.5, -5, red},
        };
        for (const auto& s : samples) {
            const QPoint p = f.at(s.x, s.y);
            EXPECT_EQ(image.pixelColor(p).name().toStdString(), s.color.name().toStdString())
                << s.what << " at " << p.x() << "," << p.y() << " in " << f.w << "x" << f.h;
        }
    }
}

// The text lines of each page of a PDF, as pdftotext lays them out, blank ones left out.
std::vector<std::vector<std::string>> pdfPages(const std::string& pdf)
{
    const std::string command = "pdftotext -layout '" + pdf + "' '" + pdf + ".txt'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::vector<std::string>> pages;
    std::istringstream in(readFile(pdf + ".txt"));
    for (std::string page; std::getline(in, page, '\f');) {
        pages.emplace_back();
        for (const auto& line : lines(page))
            if (line.find_first_not_of(' ') != std::string::npos)
                pages.back().push_back(line);
    }
    return pages;
}

std::size_t indent(const std::string& line)
{
    return line.find_first_not_of(' ');
}

TEST(ListingCommand, PrintsTheExampleUnderItsHeading)
{
    const ScratchDir dir;
    const Outcome o = runCliOnDisk({"listing", examples + "/propagation.fhp", "-o", dir / "p.pdf"});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto pages = pdfPages(dir / "p.pdf");
    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::string> expected{"GREENHOUSE PROGRAM"};
    for (const auto& line : lines(readFile(examples + "/propagation.fhp")))
        expected.push_back(line.substr(0, line.size() - 1));
    expected.push_back("propagation.fhp \u2014 printed 2024-05-17 14:03 \u2014 page 1 of 1");
    std::vector<std::string> printed;
    for (const auto& line : pages[0])
        printed.push_back(line.substr(indent(line)));
    EXPECT_EQ(printed, expected);
    // Heading, then separators, then items, from the deepest indent down.
    EXPECT_GT(indent(pages[0][0]), indent(pages[0][4]));
    EXPECT_GT(indent(pages[0][4]), indent(pages[0][1]));
}

// The footer sits below the last line's place: the pages break where they did without it.
TEST(ListingCommand, EachPageCarriesItsFooterUnlessPlain)
{
    const ScratchDir dir;
    std::string program;
    for (int minute = 0; minute < 60; ++minute)
        program += "T,06:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + ":00,70,80\r\n";
    program += "==\r\n==\r\n";
    {
        std::ofstream(dir / "sixty.fhp", std::ios::binary) << program;
    }
    ASSERT_EQ(runCliOnDisk({"listing", dir / "sixty.fhp", "-o", dir / "f.pdf"}).status, 0);
    ASSERT_EQ(runCliOnDisk({"listing", dir / "sixty.fhp", "-o", dir / "p.pdf", "--plain"}).status, 0);
    auto footed = pdfPages(dir / "f.pdf");
    const auto plain = pdfPages(dir / "p.pdf");
    ASSERT_EQ(footed.size(), 2u);
    ASSERT_EQ(plain.size(), 2u);
    for (std::size_t page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        ASSERT_FALSE(footed[page].empty());
        const std::string footer = footed[page].back();
        EXPECT_EQ(footer.substr(indent(footer)), "sixty.fhp \u2014 printed 2024-05-17 14:03 \u2014 page " +
                                                     std::to_string(page + 1) + " of 2");
        footed[page].pop_back();
        // pdftotext indents from the leftmost text of the page, which the footer moves.
        const auto trimmed = [](std::vector<std::string> page) {
            for (auto& line : page)
                line.erase(0, indent(line));
            return page;
        };
        EXPECT_EQ(trimmed(footed[page]), trimmed(plain[page]));
    }
}

TEST(ChartCommand, APdfChartCarriesItsFooterUnlessPlain)
{
    const ScratchDir dir;
    const std::string footer = "greenhouse.fhp \u2014 printed 2024-05-17 14:03 \u2014 page 1 of 1";
    for (const bool plain : {false, true}) {
        cli::Args args{"chart", examples + "/greenhouse.fhp", "-o", dir / "c.pdf"};
        if (plain)
            args.push_back("--plain");
        ASSERT_EQ(runCliOnDisk(args).status, 0);
        const auto pages = pdfPages(dir / "c.pdf");
        ASSERT_EQ(pages.size(), 1u);
        const bool found = std::any_of(pages[0].begin(), pages[0].end(),
                                       [&](const std::string& line) { return line.find(footer) != std::string::npos; });
        EXPECT_EQ(found, !plain);
    }
}

// Each example passes the check, survives load and save unchanged, compiles and simulates
// through a whole day (the recorded runs chart each). Two lines at one time would hold the
// second back a day in the simulation, so every line of the program must become the
// pending line in turn.
TEST(ExamplePrograms, CheckSaveCompileAndSimulateADayWithEveryLineTakingEffect)
{
    for (const char* name : {"greenhouse.fhp", "propagation.fhp", "flowering.fhp"}) {
        SCOPED_TRACE(name);
        const std::string file = examples + "/" + name;
        const std::string original = readFile(file);
        std::string items;
        for (const auto& line : lines(original))
            if (line != "==\r")
                items += line + "\n";
        const Outcome checked = runCliOnDisk({"check"}, items);
        EXPECT_EQ(checked.status, 0) << checked.out;
        doubles::MemoryTextFiles files;
        files.files["copy.fhp"] = original;
        EXPECT_EQ(runCli({"add", "copy.fhp"}, files).status, 0);
        EXPECT_EQ(files.files["copy.fhp"], original);

        const Outcome compiled = runCliOnDisk({"compile", file});
        ASSERT_EQ(compiled.status, 0) << compiled.err;
        const auto steps = static_cast<int>(std::count(compiled.out.begin(), compiled.out.end(), '\n'));
        ASSERT_GT(steps, 1);

        const Outcome simulated = runCliOnDisk({"simulate", file, "--at", "23:59:59", "--seconds", "86400"});
        ASSERT_EQ(simulated.status, 0) << simulated.err;
        std::set<int> pending, everyLine;
        for (const auto& step : lines(simulated.out))
            pending.insert(std::stoi(step.substr(step.rfind('=') + 1)));
        for (int i = 0; i < steps; ++i)
            everyLine.insert(i);
        EXPECT_EQ(pending, everyLine);
    }
}

} // namespace
} // namespace fh::test
