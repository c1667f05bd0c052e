#include "process.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace fh::test {
namespace {

// Chart units to pixels of a W x H picture: x from -2 to 26, y from 12 down to -12.
struct Frame {
    int w, h;
    QPoint at(double x, double y) const
    {
        return {static_cast<int>(std::floor((x + 2) / 28 * w + 0.5)), static_cast<int>(std::floor((12 - y) / 24 * h + 0.5))};
    }
};

const char* const program = "T,08:00:00,60,80\r\n==\r\nL,06:00:00,1,ON\r\nL,18:00:00,1,OFF\r\n==\r\n"
                            "W,12:00:00,1,P1,3S,10M\r\nW,13:00:00,1,OFF\r\nW,07:27:00,2,ON\r\nW,10:57:00,2,OFF\r\n";

const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0), plotArea(200, 200, 200),
    pulse(190, 190, 255), window(240, 240, 240);

TEST(ChartCommand, DrawsTheGeometryOfTheChartAtTheRequestedSize)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", program);
    for (const Frame f : {Frame{1680, 1008}, Frame{1000, 700}}) {
        const std::string out = dir + "/chart.png";
        std::vector<std::string> args = {"chart", dir + "/p.fhp", "-o", out};
        if (f.w != 1680)
            args.insert(args.end(), {"--size", std::to_string(f.w) + "x" + std::to_string(f.h)});
        const Outcome o = runFernhollow(args);
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        const QImage image(QString::fromStdString(out));
        ASSERT_EQ(image.size(), QSize(f.w, f.h));
        const struct {
            const char* what;
            double x, y;
            QColor color;
        } samples[] = {
            {"window around the plot", -1.5, 11.5, window},
            {"plot area", 3.5, 9.5, plotArea},
            {"light 1 off before 6", 3.5, 4, black},
            {"light 1 rises at 6", 6, 4.35, black},
            {"light 1 on at noon", 12.5, 4.7, black},
            {"light 1 nothing below at noon", 12.5, 4.3, plotArea},
            {"light 1 falls at 18", 18, 4.35, black},
            {"light 2 never named, off", 20.5, 5, black},
            {"valve 1 off in the morning", 9.5, -3, black},
            {"pulse block left end", 12, -2.65, black},
            {"pulse block fill", 12.9, -2.5, pulse},
            {"pulse block top", 12.9, -2.3, black},
            {"pulse block right end", 13, -2.65, black},
            {"valve 1 off after 13", 15.5, -3, black},
            // On a half pixel at 1000 wide.
            {"valve 2 rises at 7:27", 7.45, -1.65, black},
            {"valve 2 falls at 10:57", 10.95, -1.65, black},
            {"low set-point 60 F", 3.5, -7, blue},
            {"high set-point 80 F", 3.5, -5, red},
        };
        for (const auto& s : samples) {
            const QPoint p = f.at(s.x, s.y);
            EXPECT_EQ(image.pixelColor(p).name().toStdString(), s.color.name().toStdString()) << s.what << " at " << p.x() << "," << p.y()
                                                                  << " in " << f.w << "x" << f.h;
        }
    }
}

TEST(ChartCommand, WritesSvgAndPdfByExtension)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", program);
    for (const auto& [name, start] : {std::pair{"chart.svg", "<?xml"}, std::pair{"CHART.PDF", "%PDF"}}) {
        const Outcome o = runFernhollow({"chart", dir + "/p.fhp", "-o", dir + "/" + name, "--size", "800x480"});
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_TRUE(readFile(dir + "/" + name).starts_with(start)) << name;
    }
}

TEST(ChartCommand, FailuresGiveOneLineAndStatusTwo)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/p.fhp", program);
    writeFile(dir + "/empty.fhp", "==\r\n==\r\n");
    const std::string p = dir + "/p.fhp", png = dir + "/c.png";
    const std::string usage = "usage: fernhollow chart FILE -o OUT [--size WxH]\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        {{"chart", dir + "/empty.fhp", "-o", png}, "no program present!\n"},
        {{"chart", dir + "/missing.fhp", "-o", png},
         "fernhollow: cannot read " + dir + "/missing.fhp: No such file or directory\n"},
        {{"chart", p}, usage},
        {{"chart", "-o", png}, usage},
        {{"chart", p, "-o", png, "--bold"}, "fernhollow: unknown option '--bold' (see fernhollow chart --help)\n"},
        {{"chart", p, "-o", dir + "/c.gif"}, "fernhollow: " + dir + "/c.gif: the chart is written as .png, .svg or .pdf\n"},
        {{"chart", p, "-o", png, "--size", "0x100"}, "fernhollow: --size wants WxH, each 1 to 8192, not 0x100\n"},
        {{"chart", p, "-o", png, "--size", "800x"}, "fernhollow: --size wants WxH, each 1 to 8192, not 800x\n"},
        {{"chart", p, "-o", png, "--size", "99999999999x2"},
         "fernhollow: --size wants WxH, each 1 to 8192, not 99999999999x2\n"},
        {{"chart", p, "-o", dir + "/none/c.svg"},
         "fernhollow: cannot write " + dir + "/none/c.svg: No such file or directory\n"},
    };
    for (const auto& row : rows) {
        const Outcome o = runFernhollow(row.args);
        EXPECT_EQ(o.err, row.err) << row.args.back();
        EXPECT_EQ(o.status, 2) << row.args.back();
    }
}

} // namespace
} // namespace fh::test
