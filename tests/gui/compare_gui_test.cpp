#include "chart/comparechart.h"
#include "gui/comparecontrols.h"
#include "gui/comparewindow.h"
#include "gui/filecontrols.h"
#include "gui/form1.h"
#include "chart/chart.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtfonts.h"
#include "session/programfiles.h"
#include "session/session.h"

#include "support.h"

#include <QAction>
#include <QFontMetricsF>
#include <QMenu>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace fh;

class CompareWindows : public testing::Test, protected doubles::AllDevices {
protected:
    void SetUp() override
    {
        files.files["/w/greenhouse.fhp"] = "==\r\nL,06:00:00,1,ON\r\n==\r\nW,12:00:00,2,ON\r\nW,13:00:00,2,OFF\r\n";
        test::showActive(form);
    }

    void load(const char* path)
    {
        dialogs.name = path;
        form.menus().loadAction->trigger();
    }

    std::vector<std::string> rows(const char* name) { return test::items(*compare.compareWindow(), name); }

    Session session{messages, clock};
    ProgramFiles programFiles{session, devices()};
    Form1 form{session, messages};
    FileControls fileControls{form, session, programFiles};
    CompareControls compare{form, session, devices()};
};

TEST_F(CompareWindows, CompareWithSavedFindsTheDifferenceOfOneTypedLine)
{
    EXPECT_FALSE(form.menus().compareWithSaved->isEnabled());
    load("/w/greenhouse.fhp");
    ASSERT_TRUE(form.menus().compareWithSaved->isEnabled());
    test::enter(form, "W,12:30,2,OFF");
    const CommandLists typed = session.lists();

    form.menus().compareWithSaved->trigger();
    CompareWindow* window = compare.compareWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Compare \u2014 greenhouse.fhp (saved) and greenhouse.fhp (now)");
    EXPECT_EQ(rows("Differences"), std::vector<std::string>{"12:30:00\u201313:00:00  valve 2   on \u2192 off"});
    EXPECT_EQ(rows("Lines"), (std::vector<std::string>{"only in greenhouse.fhp (now):", "  W,12:30:00,2,OFF"}));
    EXPECT_EQ(rows("Totals"), std::vector<std::string>{"valve 2: 1 h 00 min on, 0 h 00 min pulsed, water runs 3600 s \u2192 "
                                          "valve 2: 0 h 30 min on, 0 h 00 min pulsed, water runs 1800 s"});
    EXPECT_EQ(session.lists(), typed);
    EXPECT_TRUE(session.modified());

    // The stretch is shaded under the traces of both charts, and chosen, it has a cursor on both.
    for (const char* name : {"ChartA", "ChartB"}) {
        const auto* chart = test::control<ComparedChart>(*window, name);
        ASSERT_NE(chart, nullptr);
        const auto& items = chart->drawing().items();
        EXPECT_TRUE(std::ranges::any_of(items, [](const DrawItem& item) {
            return item.kind == DrawItem::FillRect && item.color == differenceShade && item.x1 == 12.5 &&
                   item.x2 == 13;
        })) << name;
        EXPECT_EQ(chart->cursorAt(), std::nullopt);
    }
    test::control<QListWidget>(*window, "Differences")->setCurrentRow(0);
    for (const char* name : {"ChartA", "ChartB"})
        EXPECT_EQ(test::control<ComparedChart>(*window, name)->cursorAt(), 12 * 3600 + 30 * 60) << name;

    messages.answer = SaveChoice::Discard;
    form.menus().newAction->trigger();
    EXPECT_FALSE(form.menus().compareWithSaved->isEnabled());
}

// The rows' labels, as the widget shows them: each centred on its row, none over another,
// from 800 x 600 to the default size up to a maximised window.
TEST_F(CompareWindows, RowLabelsAreReadableAtEverySize)
{
    load("/w/greenhouse.fhp");
    form.menus().compareWithSaved->trigger();
    CompareWindow* window = compare.compareWindow();
    ASSERT_NE(window, nullptr);
    window->show();
    const QSize defaultSize = window->size();
    for (const QSize size : {QSize(800, 600), defaultSize, QSize(1600, 1150)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const auto* chart = test::control<ComparedChart>(*window, "ChartA");
        const double points = chart->labelPoints();
        const QFontMetricsF metrics(documentFont(points));
        const double unit = chart->height() / (chartTop - chartBottom);
        const auto pixelY = [&](double y) { return (chartTop - y) * unit; };
        std::vector<QRectF> labels;
        std::vector<double> centres;
        for (const DrawItem& item : chart->drawing().items()) {
            if (item.kind != DrawItem::TextMiddle)
                continue;
            const double x = (item.x1 - chartLeft) / (chartRight - chartLeft) * chart->width();
            const QString text = QString::fromLatin1(item.text);
            labels.emplace_back(x, pixelY(item.y1) - metrics.height() / 2, metrics.horizontalAdvance(text),
                                metrics.height());
            centres.push_back(item.y1);
        }
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()).toStdString());
        ASSERT_EQ(labels.size(), 19u); // six lights, six valves, seven degrees
        for (int i = 0; i < outputCount; ++i) {
            EXPECT_TRUE(std::ranges::count(centres, lightLevel(i, 0.5)) == 1) << "light " << i + 1;
            EXPECT_TRUE(std::ranges::count(centres, valveLevel(i, 0.5)) == 1) << "valve " << i + 1;
        }
        for (std::size_t a = 0; a < labels.size(); ++a) {
            EXPECT_TRUE(QRectF(0, 0, chart->width(), chart->height()).contains(labels[a])) << a;
            for (std::size_t b = a + 1; b < labels.size(); ++b)
                EXPECT_FALSE(labels[a].intersects(labels[b])) << a << " and " << b;
        }
    }
}

TEST_F(CompareWindows, CompareWithAChosenFile)
{
    load("/w/greenhouse.fhp");
    files.files["/w/other.fhp"] = "==\r\nL,06:00:00,1,ON\r\n==\r\nW,12:00:00,2,ON\r\nW,13:00:01,2,OFF\r\n";
    dialogs.name = "/w/other.fhp";
    form.menus().compareWith->trigger();
    ASSERT_NE(compare.compareWindow(), nullptr);
    EXPECT_EQ(compare.compareWindow()->windowTitle(), "Compare \u2014 other.fhp and greenhouse.fhp");
    EXPECT_EQ(rows("Differences"), std::vector<std::string>{"13:00:00\u201313:00:01  valve 2   on \u2192 off"});

    dialogs.name = "/w/gone.fhp";
    messages.shown.clear();
    form.menus().compareWith->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].starts_with("Cannot load /w/gone.fhp")) << messages.shown[0];
}

// Fault mended: the comparison was printed without its footers, and its job was not
// followed, so a queue that refused it went unsaid.
TEST_F(CompareWindows, PrintsBothChartsAndTheListsLandscape)
{
    load("/w/greenhouse.fhp");
    test::enter(form, "W,12:30,2,OFF");
    form.menus().compareWithSaved->trigger();
    clock.set(7 * 3600);
    printers.printer.queue = "Office";
    test::control<QPushButton>(*compare.compareWindow(), "Print")->click();
    const auto& printer = printers.printer;
    EXPECT_TRUE(printer.landscape);
    EXPECT_EQ(printer.jobName, "greenhouse.fhp \u2013 comparison");
    ASSERT_EQ(printer.painted.size(), 2u);
    EXPECT_LT(printer.painted[0].target.top + printer.painted[0].target.height, printer.painted[1].target.top);
    ASSERT_EQ(printer.pages.size(), 2u);
    const auto& lines = printer.pages[1];
    EXPECT_NE(std::ranges::find(lines, "12:30:00-13:00:00  valve 2   on -> off"), lines.end());
    EXPECT_NE(std::ranges::find(lines, "  W,12:30:00,2,OFF"), lines.end());
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(printer.footers(), (std::vector<std::string>{
                                     "greenhouse.fhp \u2014 printed 2024-05-17 07:00 \u2014 page 1 of 2",
                                     "greenhouse.fhp \u2014 printed 2024-05-17 07:00 \u2014 page 2 of 2"}));
    EXPECT_EQ(statusLines, std::vector<std::string>{"Sent to Office as job 1; waiting for the printer"});
    EXPECT_EQ(jobs.following(), 1u);

    printers.printer.failure = "the printer is offline";
    test::control<QPushButton>(*compare.compareWindow(), "Print")->click();
    EXPECT_EQ(messages.shown.back(), "Cannot print: the printer is offline");
}

TEST_F(CompareWindows, TheWindowGoesWithItsControls)
{
    load("/w/greenhouse.fhp");
    QPointer<CompareWindow> window;
    {
        CompareControls own{form, session, devices()};
        own.compareWithSaved();
        window = own.compareWindow();
        ASSERT_FALSE(window.isNull());
    }
    EXPECT_TRUE(window.isNull());
}

// Fault mended: the fonts forbade falling back to another face, so a name in another
// script showed as boxes, and the compare charts drew it through Latin-1, as "??.fhp".
TEST_F(CompareWindows, AFileNameInAnyScriptShowsAsItIs)
{
    const std::string name = "\u6E29\u5BA4.fhp"; // 温室.fhp
    files.files["/w/" + name] = files.files["/w/greenhouse.fhp"];
    load(("/w/" + name).c_str());
    test::enter(form, "W,12:30,2,OFF");
    EXPECT_TRUE(form.windowTitle().contains(QString::fromStdString(name))) << form.windowTitle().toStdString();
    emit form.menus().recentMenu->aboutToShow();
    ASSERT_FALSE(form.menus().recentMenu->actions().isEmpty());
    EXPECT_EQ(form.menus().recentMenu->actions().front()->text(), QString::fromStdString("&1 /w/" + name));

    form.menus().compareWithSaved->trigger();
    CompareWindow* window = compare.compareWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString("Compare \u2014 " + name + " (saved) and " + name + " (now)"));
    for (const auto& [chart, shown] : {std::pair{"ChartA", name + " (saved)"}, std::pair{"ChartB", name + " (now)"}}) {
        const auto& items = test::control<ComparedChart>(*window, chart)->drawing().items();
        EXPECT_TRUE(std::ranges::any_of(items, [&](const DrawItem& item) { return item.text == shown; })) << chart;
    }
    test::control<QPushButton>(*window, "Print")->click();
    ASSERT_EQ(printers.printer.pages.size(), 2u);
    ASSERT_FALSE(printers.printer.pages[1].empty());
    EXPECT_EQ(printers.printer.pages[1].front(), "Compare - " + name + " (saved) and " + name + " (now)");

    // A face that lacks a character lets another installed one draw it.
    for (const QFont& font : {form.font(), window->font(), sansFont(8), fixedFont(8), documentFont(8)})
        EXPECT_FALSE(font.styleStrategy() & QFont::NoFontMerging) << font.family().toStdString();
}

} // namespace
