#include "chart/chart.h"

#include "../support.h"

#include "platform/displaylist.h"
#include "compiler/program.h"
#include "session/session.h"
#include "language/datcheck.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace fh {
namespace {

using test::listsOf;

struct Drawn {
    DisplayList canvas;
    doubles::RecordingMessageBox messages;
    bool drawn = false;
};

// The lists of a longer program which, compiled at midnight, leaves nextstep at `n`.
CommandLists leftAt(int n)
{
    CommandLists lists;
    lists[1].assign(static_cast<std::size_t>(n), "L,00:00:00,1,ON");
    lists[1].push_back("L,01:00:00,1,ON");
    return lists;
}

// The chart of `lists` compiled at `clockSeconds` in a session that compiled `before` first.
Drawn chartOf(const CommandLists& lists, int clockSeconds = 0, const CommandLists& before = {}, ChartState state = {})
{
    Drawn d;
    doubles::FakeClock clock(clockSeconds);
    Session session(d.messages, clock);
    session.open(before);
    session.compile(doubles::FakeClock(0));
    session.open(lists);
    d.drawn = session.compile() && plot(session.program(), Display{}, state, d.canvas, d.messages);
    return d;
}

Drawn chartOf(const std::vector<std::string>& lines, int clockSeconds = 0)
{
    return chartOf(listsOf(lines), clockSeconds);
}

struct Seg {
    double x1, y1, x2, y2;
    friend bool operator==(const Seg& a, const Seg& b)
    {
        const auto near = [](double u, double v) { return std::abs(u - v) < 1e-9; };
        return near(a.x1, b.x1) && near(a.y1, b.y1) && near(a.x2, b.x2) && near(a.y2, b.y2);
    }
};

void PrintTo(const Seg& s, std::ostream* os)
{
    *os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

enum class Trace { Light, Valve, Low, High };

// The lines of one trace in drawing order: black lines held inside the band of a
// light or valve, or the lines in a set-point's colour.
std::vector<Seg> trace(const DisplayList& canvas, Trace which, int output = 1)
{
    const double base = which == Trace::Light ? output + 3 : output - 4;
    const auto inBand = [base](double y) { return y > base - 1e-9 && y < base + 0.7 + 1e-9; };
    std::vector<Seg> segs;
    for (const DrawItem& p : canvas.items()) {
        if (p.kind != DrawItem::Line)
            continue;
        const bool take = which == Trace::Low    ? p.color == lowSetPoint
                          : which == Trace::High ? p.color == highSetPoint
                                                 : p.color == black && inBand(p.y1) && inBand(p.y2);
        if (take)
            segs.push_back({p.x1, p.y1, p.x2, p.y2});
    }
    return segs;
}

std::vector<DrawItem> ofKind(const DisplayList& canvas, DrawItem::Kind kind)
{
    std::vector<DrawItem> found;
    for (const DrawItem& p : canvas.items())
        if (p.kind == kind)
            found.push_back(p);
    return found;
}

std::vector<DrawItem> pulseLabels(const DisplayList& canvas)
{
    std::vector<DrawItem> labels;
    for (const DrawItem& p : ofKind(canvas, DrawItem::Text))
        if (p.text.starts_with(" P"))
            labels.push_back(p);
    return labels;
}

struct TraceRow {
    const char* name;
    std::vector<std::string> program;
    Trace which;
    int output;
    std::vector<Seg> expected;
};

void PrintTo(const TraceRow& row, std::ostream* os) { *os << row.name; }

class Traces : public testing::TestWithParam<TraceRow> {};

TEST_P(Traces, FollowTheScheduleFromMidnightToMidnight)
{
    const TraceRow& row = GetParam();
    const Drawn d = chartOf(row.program);
    ASSERT_TRUE(d.drawn);
    EXPECT_EQ(trace(d.canvas, row.which, row.output), row.expected);
}

const double y60 = -7, y70 = -6, y74 = -5.6, y80 = -5;

INSTANTIATE_TEST_SUITE_P(Chart, Traces, testing::Values(
    TraceRow{"default low set-point without T lines", {"L,06:00,1,on"}, Trace::Low, 0, {{0, y70, 24, y70}}},
    TraceRow{"default high set-point without T lines", {"L,06:00,1,on"}, Trace::High, 0, {{0, y74, 24, y74}}},
    TraceRow{"light on from 6 to 18", {"L,18:00:00,1,off", "L,06:00:00,1,on"}, Trace::Light, 1,
             {{0, 4, 6, 4}, {6, 4, 6, 4.7}, {6, 4.7, 18, 4.7}, {18, 4.7, 18, 4}, {18, 4, 24, 4}}},
    TraceRow{"unchanged state keeps its level", {"L,06:00,3,on", "L,12:00,3/4,on", "L,18:00,3,off"},
             Trace::Light, 3,
             {{0, 6, 6, 6}, {6, 6, 6, 6.7}, {6, 6.7, 12, 6.7}, {12, 6.7, 18, 6.7}, {18, 6.7, 18, 6},
              {18, 6, 24, 6}}},
    TraceRow{"never-named light is off all day", {"L,06:00,1,on"}, Trace::Light, 6, {{0, 9, 24, 9}}},
    TraceRow{"valve on 7:30 to 9:45", {"W,07:30,5,on", "W,09:45,5,off"}, Trace::Valve, 5,
             {{0, 1, 7.5, 1}, {7.5, 1, 7.5, 1.7}, {7.5, 1.7, 9.75, 1.7}, {9.75, 1.7, 9.75, 1}, {9.75, 1, 24, 1}}},
    TraceRow{"pulsed valve has no rise, only its off lines", {"W,12:00:00,1,p1,3s,10m", "W,13:00:00,1,off"},
             Trace::Valve, 1, {{0, -3, 12, -3}, {13, -3, 24, -3}}},
    TraceRow{"pulse over midnight has no off line", {"W,08:00,2,off", "W,20:00,2,p3,5s,1m"}, Trace::Valve, 2,
             {{8, -2, 20, -2}}},
    TraceRow{"seconds ignored, low set-point", {"T,04:00:33,60,70", "T,16:30:45,80,90"}, Trace::Low, 0,
             {{0, y80, 4, y80}, {4, y80, 4, y60}, {4, y60, 16.5, y60}, {16.5, y60, 16.5, y80}, {16.5, y80, 24, y80}}},
    TraceRow{"set-point repeated unchanged", {"T,08:00,70,80", "T,20:00,60,80"}, Trace::High, 0,
             {{0, y80, 8, y80}, {8, y80, 20, y80}, {20, y80, 24, y80}}}));

struct Block {
    double right, left; // drawn from x = right back to x = left
    const char* label;
};

struct BlockRow {
    const char* name;
    std::vector<std::string> program;
    int valve;
    std::vector<Block> expected;
};

void PrintTo(const BlockRow& row, std::ostream* os) { *os << row.name; }

class PulseBlocks : public testing::TestWithParam<BlockRow> {};

TEST_P(PulseBlocks, SpanThePulsedPeriodLabelledAtTheLeftEnd)
{
    const BlockRow& row = GetParam();
    const Drawn d = chartOf(row.program);
    const double bottom = row.valve - 4, top = bottom + 0.7;
    const auto fills = ofKind(d.canvas, DrawItem::FillRect);
    const auto outlines = ofKind(d.canvas, DrawItem::OutlineRect);
    // The first fill is the plot background.
    ASSERT_EQ(fills.size(), row.expected.size() + 1);
    ASSERT_EQ(outlines.size(), row.expected.size());
    const auto labels = pulseLabels(d.canvas);
    ASSERT_EQ(labels.size(), row.expected.size());
    for (std::size_t n = 0; n < row.expected.size(); ++n) {
        const Block& b = row.expected[n];
        for (const DrawItem& p : {fills[n + 1], outlines[n]}) {
            EXPECT_EQ(Seg({p.x1, p.y1, p.x2, p.y2}), Seg({b.right, bottom, b.left, top})) << n;
        }
        EXPECT_EQ(fills[n + 1].color, pulseFill);
        EXPECT_EQ(outlines[n].color, black);
        EXPECT_EQ(labels[n].text, b.label);
        EXPECT_EQ(Seg({labels[n].x1, labels[n].y1, 0, 0}), Seg({b.left, top, 0, 0})) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, PulseBlocks, testing::Values(
    BlockRow{"pulsed 12 to 13", {"W,12:00:00,1,p1,3s,10m", "W,13:00:00,1,off"}, 1, {{13, 12, " P1"}}},
    // A pulse to the end of the day goes on over midnight.
    BlockRow{"pulsed to the end of the day", {"W,06:00,6,off", "W,22:30,6,p6,1s,1s"}, 6,
             {{6, 0, " P6"}, {24, 22.5, " P6"}}},
    BlockRow{"timer changed while pulsing", {"W,10:00,3,p2,1s,1s", "W,11:00,3,p4,1s,1s", "W,12:00,3,off"}, 3,
             {{11, 10, " P2"}, {12, 11, " P4"}}}));

// A program file is loaded unchecked, so a valve line can carry any pulse mode.
TEST(Chart, ValveStatesOfAnUncheckedFile)
{
    const struct { std::vector<std::string> water; std::vector<Seg> trace; std::vector<std::string> labels; } rows[] = {
        // State 2 is neither off-or-on nor pulsed: nothing at all is drawn for it.
        {{"W,06:00:00,1,P-8"}, {}, {}},
        {{"W,06:00:00,1,P-8", "W,12:00:00,1,OFF"}, {{12, -3, 24, -3}}, {}},
        {{"W,06:00:00,1,P1.5", "W,12:00:00,1,OFF"}, {{0, -3, 6, -3}, {12, -3, 24, -3}}, {" P1.5"}},
    };
    for (const auto& row : rows) {
        const Drawn d = chartOf(CommandLists{{{}, {}, row.water}});
        ASSERT_TRUE(d.drawn);
        EXPECT_EQ(trace(d.canvas, Trace::Valve, 1), row.trace) << row.water[0];
        std::vector<std::string> labels;
        for (const DrawItem& p : pulseLabels(d.canvas))
            labels.push_back(p.text);
        EXPECT_EQ(labels, row.labels) << row.water[0];
    }
}

TEST(Chart, SameWhateverTheClock)
{
    const std::vector<std::string> program = {
        "T,04:00:33,60,70", "T,16:30,80,90", "L,06:00,1/2,on", "L,18:00,1,off", "L,20:00,2/5,off",
        "W,12:00,1/3,p1,3s,10m", "W,13:00,1,off", "W,23:00,3,on", "W,02:00,6,p2,1s,1m",
    };
    const auto shape = [](const DisplayList& canvas) {
        std::vector<std::pair<DrawItem::Kind, Seg>> items;
        for (const DrawItem& p : canvas.items())
            items.emplace_back(p.kind, Seg{p.x1, p.y1, p.x2, p.y2});
        return items;
    };
    const auto reference = shape(chartOf(program, 0).canvas);
    for (const int seconds : {1, 4 * 3600 + 33, 12 * 3600, 19 * 3600 + 59, secondsPerDay - 1})
        EXPECT_EQ(shape(chartOf(program, seconds).canvas), reference) << seconds;
    // After every line of the day, nextstep keeps a value past the end of the program.
    EXPECT_EQ(shape(chartOf(listsOf(program), secondsPerDay - 1, leftAt(90)).canvas), reference);
}

TEST(Chart, SetsTheCoordinatesOnlyWhileNotScaled)
{
    ChartState state;
    doubles::RecordingMessageBox messages;
    const Program program = *compile(leftAt(0), doubles::FakeClock(0), messages);
    DisplayList first, second;
    ASSERT_TRUE(plot(program, Display{}, state, first, messages));
    EXPECT_EQ(state.scaled, 1);
    ASSERT_TRUE(plot(program, Display{}, state, second, messages));
    EXPECT_EQ(ofKind(first, DrawItem::Scale).size(), 1u);
    EXPECT_TRUE(ofKind(second, DrawItem::Scale).empty());
}

TEST(Chart, TotalsStandBesideEachTraceUnlessTurnedOff)
{
    const CommandLists lists = listsOf({"L,06:00,1,on", "L,18:00,1,off", "W,12:00,2,p1,3s,10m", "W,13:00,2,off",
                                        "W,07:00,3,on", "W,07:30,3,off", "W,08:00,4,p2,1s,1s", "W,09:00,4,on",
                                        "W,09:45,4,off"});
    const auto margin = [](const DisplayList& canvas) {
        std::vector<std::pair<std::string, double>> labels;
        for (const DrawItem& p : ofKind(canvas, DrawItem::Text))
            if (p.x1 > 24)
                labels.emplace_back(p.text, p.y1);
        return labels;
    };
    const double at = 0.6;
    EXPECT_EQ(margin(chartOf(lists).canvas),
              (std::vector<std::pair<std::string, double>>{
                  {"12 h", 4 + at}, {"0 h", -3 + at}, {"0 h", 5 + at}, {"P 1 h", -2 + at}, {"0 h", 6 + at},
                  {"0.5 h", -1 + at}, {"0 h", 7 + at}, {"0.8+P1 h", 0 + at}, {"0 h", 8 + at}, {"0 h", 1 + at},
                  {"0 h", 9 + at}, {"0 h", 2 + at}}));

    ChartState noTotals;
    noTotals.totals = false;
    EXPECT_TRUE(margin(chartOf(lists, 0, {}, noTotals).canvas).empty());
}

TEST(Chart, PrintsTheWindowsDrawingInsideTheMarginsOfOnePage)
{
    DisplayList chart;
    chart.scale(chartLeft, chartTop, chartRight, chartBottom);
    chart.text(1, 2, "Hours", black);
    doubles::RecordingPrinter printer;
    printer.area = {100, 200, 11000, 8800};
    EXPECT_EQ(printChart(chart, 1680, 1008, printer, "chart"), std::nullopt);
    EXPECT_TRUE(printer.landscape);
    ASSERT_EQ(printer.painted.size(), 1u);
    const auto& p = printer.painted[0];
    EXPECT_EQ(Seg({p.width, p.height, 0, 0}), Seg({1680, 1008, 0, 0})) << "the window's size";
    EXPECT_EQ(Seg({p.target.left, p.target.top, p.target.width, p.target.height}), Seg({540, 552, 10000, 8000}));
    // The window's font comes first, then the window's drawing as it is.
    const auto& page = p.picture.items();
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page[0].kind, DrawItem::FontSize);
    EXPECT_EQ(page[0].x1, chartFontPoints);
    EXPECT_EQ(std::vector<DrawItem>(page.begin() + 1, page.end()), chart.items());
    EXPECT_EQ(printer.ended, 1);
}

} // namespace
} // namespace fh
