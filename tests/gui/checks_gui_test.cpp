#include "checks/lint.h"
#include "files/programfile.h"
#include "gui/checkcontrols.h"
#include "gui/form1.h"
#include "gui/form5.h"
#include "session/programfiles.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"

#include "support.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace fh;

// Two lines at one second: an error on each, and light 1 never switched off.
const CommandLists clash = {{{}, {"L,06:00:00,1,ON"}, {"W,06:00:00,2,OFF"}}};

class CheckWindows : public testing::Test {
protected:
    void SetUp() override { test::showActive(form); }

    void enter(const char* line) { test::enter(form, line); }
    std::string status() { return test::control<QLabel>(form, "Label15")->text().toStdString(); }

    std::vector<std::string> row(const QTreeWidget* grid, int at)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < grid->columnCount(); ++column)
            texts.push_back(grid->topLevelItem(at)->text(column).toStdString());
        return texts;
    }

    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock;
    Session session{messages, clock};
    const Editor& editor = session.editor();
    Form1 form{session, messages};
    CheckControls checks{form, session, messages};
};

TEST_F(CheckWindows, StatusBarTellsOfEachFiledLineUntilTheNextChange)
{
    const struct { const char* typed; std::string shown; } steps[] = {
        {nullptr, "Program checks: no findings \u2014 F7"},
        {"L,6,1,on",
         "Filed L,06:00:00,1,ON: warning: light 1 is switched on but no line switches it off \u2014 Program checks: "
         "0 errors, 1 warning \u2014 F7"},
        {"W,6,2,off",
         "Filed W,06:00:00,2,OFF: error: 2 lines at 06:00:00: only the first takes effect; all but the first wait a "
         "day and hold back every later line (+1 more) \u2014 Program checks: 2 errors, 1 warning \u2014 F7"},
    };
    for (const auto& step : steps) {
        if (step.typed)
            enter(step.typed);
        EXPECT_EQ(status(), step.shown) << (step.typed ? step.typed : "at start");
    }
    // A refused line changes nothing, and the next change brings the count back.
    messages.shown.clear();
    enter("T,8,70,71");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(status(), steps[2].shown);
    form.menus().undoAction->trigger();
    EXPECT_EQ(status(), "Program checks: 1 warning \u2014 F7");
}

TEST_F(CheckWindows, ItemsWithFindingsCarryAMarkerAndTheirFindings)
{
    session.open({{{"T,06:00:00,70,80"}, {"L,06:00:00,1,ON", "L,07:00:00,2,ON", "L,20:00:00,2,OFF"}, {}}});
    form.render();
    const struct { const char* list; int row; std::string tip; } rows[] = {
        {"List1", 0,
         "error: 2 lines at 06:00:00: only the first takes effect; all but the first wait a day and hold back every "
         "later line"},
        {"List2", 0,
         "error: 2 lines at 06:00:00: only the first takes effect; all but the first wait a day and hold back every "
         "later line\nwarning: light 1 is switched on but no line switches it off"},
        {"List2", 1, ""},
    };
    for (const auto& r : rows) {
        const QListWidgetItem* item = test::control<QListWidget>(form, r.list)->item(r.row);
        ASSERT_NE(item, nullptr) << r.list << r.row;
        EXPECT_EQ(item->toolTip().toStdString(), r.tip) << r.list << r.row;
        EXPECT_EQ(item->icon().isNull(), r.tip.empty()) << r.list << r.row;
    }
    // Error and warning marks differ.
    const auto image = [&](const char* list, int row) {
        return test::control<QListWidget>(form, list)->item(row)->icon().pixmap(12).toImage();
    };
    enter("L,6:30,3,on");
    EXPECT_NE(image("List2", 0), image("List2", 3));
    // An edit in place is told of as Enter is.
    auto* list2 = test::control<QListWidget>(form, "List2");
    list2->setCurrentRow(3);
    list2->editItem(list2->item(3));
    auto* line = qobject_cast<QLineEdit*>(list2->indexWidget(list2->model()->index(3, 0)));
    ASSERT_NE(line, nullptr);
    line->setText("L,21,3,off");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(status(), "Filed L,21:00:00,3,OFF: no findings \u2014 Program checks: 2 errors, 1 warning \u2014 F7");
    EXPECT_TRUE(list2->item(3)->icon().isNull());
}

TEST_F(CheckWindows, WindowListsTheFindingsFollowsTheListsAndLeadsToTheItem)
{
    session.open(clash);
    form.render();
    QTest::keyClick(&form, Qt::Key_F7);
    Form5* window = checks.checksWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* grid = window->findChild<QTreeWidget*>(QStringLiteral("Grid1"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->topLevelItemCount(), 3);
    EXPECT_EQ(row(grid, 2), (std::vector<std::string>{"W lines, item 1", "error",
                                                       "2 lines at 06:00:00: only the first takes effect; all but the "
                                                       "first wait a day and hold back every later line",
                                                       "same-time"}));

    enter("L,18,1,off");
    ASSERT_EQ(grid->topLevelItemCount(), 2);
    EXPECT_EQ(row(grid, 0)[0], "L lines, item 1");

    auto* list2 = test::control<QListWidget>(form, "List2");
    ASSERT_EQ(list2->count(), 2);
    EXPECT_EQ(list2->currentRow(), -1);
    const QRect first = grid->visualItemRect(grid->topLevelItem(0));
    // A double click as the system delivers it: a click, then the second press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(list2->currentRow(), 0);
    EXPECT_TRUE(list2->item(0)->isSelected());

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(checks.checksWindow(), nullptr);
    QTest::mouseClick(test::control<QLabel>(form, "Label15"), Qt::LeftButton);
    ASSERT_NE(checks.checksWindow(), nullptr);
    EXPECT_TRUE(checks.checksWindow()->isVisible());
}

TEST_F(CheckWindows, SendProgramAsksOnlyWhenTheProgramHasErrors)
{
    const struct { CommandLists lists; bool yes, asked; std::string indicator; } cases[] = {
        {{{{}, {"L,06:00:00,1,ON"}, {}}}, false, false, "programmed"}, // warnings only
        {clash, false, true, "Not Current"},
        {clash, true, true, "programmed"},
    };
    for (const auto& c : cases) {
        Session other{messages, clock};
                Form1 window{other, messages};
        CheckControls guard{window, other, messages};
        other.open(c.lists);
        window.render();
        messages.asked.clear();
        messages.yes = c.yes;
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        const std::vector<std::string> question{"The program has 2 errors. Mark it as programmed anyway?"};
        EXPECT_EQ(messages.asked, c.asked ? question : std::vector<std::string>{}) << c.yes;
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label12"))->text().toStdString(), c.indicator);
    }
}

// Fault mended: a file whose pulse reads swapped loaded with "no findings" and an empty
// checks window, while lint found it. Right after a load the window shows what lint
// finds in the file; a line's findings as written stay until the line changes.
TEST(CheckWindowsAfterLoad, ShowWhatLintFindsInTheFile)
{
    const struct { std::string bytes; QString count; } files[] = {
        {"==\r\n==\r\nW,9,4,P2,10M,5S\r\nW,20:00:00,4,OFF\r\n", QStringLiteral("2 warnings")},
        {"\xEF\xBB\xBFT,19.30,65,73\r\nT,6,40C,80\r\n==\r\n==\r\n==\r\nlost\r\n",
         QStringLiteral("1 error, 5 warnings")},
    };
    for (const auto& [bytes, count] : files) {
        SCOPED_TRACE(bytes);
        doubles::AllDevices devices;
        devices.files.files["/w/p.fhp"] = bytes;
        Session session{devices.messages, devices.clock};
        ProgramFiles programFiles{session, devices.devices()};
        Form1 form{session, devices.messages};
        CheckControls checks{form, session, devices.messages};
        test::showActive(form);
        ASSERT_TRUE(programFiles.loadFrom("/w/p.fhp"));
        form.render();

        const std::vector<Finding> linted = lint(readProgramFile(bytes), fh::Display{});
        ASSERT_FALSE(linted.empty());
        QTest::keyClick(&form, Qt::Key_F7);
        ASSERT_NE(checks.checksWindow(), nullptr);
        const auto* grid = checks.checksWindow()->findChild<QTreeWidget*>(QStringLiteral("Grid1"));
        ASSERT_NE(grid, nullptr);
        std::vector<std::string> shown, found;
        for (int i = 0; i < grid->topLevelItemCount(); ++i)
            shown.push_back(grid->topLevelItem(i)->text(3).toStdString() + " " +
                            grid->topLevelItem(i)->text(2).toStdString());
        for (const Finding& f : linted)
            found.push_back(std::string(f.code) + " " + QString::fromLatin1(f.message).toStdString());
        EXPECT_EQ(shown, found);
        EXPECT_EQ(test::control<QLabel>(form, "Label15")->text(),
                  QStringLiteral("Program checks: %1 \u2014 F7").arg(count));
        checks.checksWindow()->close();
    }
}

// A line's findings as written stay on its mark while it stays as filed, and go with
// a change of the line.
TEST_F(CheckWindows, KeepsALineAsTypedUntilItChanges)
{
    const auto tip = [&](int row) {
        return test::control<QListWidget>(form, "List1")->item(row)->toolTip().toStdString();
    };
    enter("T,19.30,65,73");
    enter("T,19.30,65,73");
    enter("T,6,70,80");
    EXPECT_EQ(tip(0), "warning: 19.30 reads as 19:00:00");
    EXPECT_EQ(status(), "Filed T,06:00:00,70,80: no findings \u2014 Program checks: 0 errors, 1 warning \u2014 F7");
    form.menus().sortAction->trigger();
    EXPECT_EQ(tip(1), "warning: 19.30 reads as 19:00:00");
    EXPECT_EQ(tip(0), "");
    auto* list1 = test::control<QListWidget>(form, "List1");
    list1->setCurrentRow(1);
    list1->editItem(list1->item(1));
    auto* line = qobject_cast<QLineEdit*>(list1->indexWidget(list1->model()->index(1, 0)));
    ASSERT_NE(line, nullptr);
    line->setText("T,19:30:00,65,73");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(tip(1), "");
    EXPECT_EQ(status(), "Filed T,19:30:00,65,73: no findings \u2014 Program checks: 0 errors, 0 warnings \u2014 F7");
}

// A slip is never filed unseen: the first Enter holds it with its findings and fixes
// beside the entry box; Enter again files it as read, a fix files it as meant.
TEST_F(CheckWindows, HoldsASlipAtTheFirstEnter)
{
    auto* text6 = test::control<QLineEdit>(form, "Text6");
    auto* note = form.findChild<QWidget*>(QStringLiteral("SlipNote"));
    ASSERT_NE(note, nullptr);
    const auto noteText = [&] { return test::control<QLabel>(form, "SlipFindings")->text().toStdString(); };
    const auto fix = [&](int n) { return form.findChild<QPushButton*>(QStringLiteral("SlipFix%1").arg(n)); };
    const auto items = [&](const char* list) {
        std::vector<std::string> texts;
        const auto* shown = test::control<QListWidget>(form, list);
        for (int row = 0; row < shown->count(); ++row)
            texts.push_back(shown->item(row)->text().toStdString());
        return texts;
    };

    enter("T,19.30,65,73");
    EXPECT_TRUE(items("List1").empty());
    EXPECT_EQ(text6->text(), QStringLiteral("T,19.30,65,73"));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(noteText(), "warning: 19.30 reads as 19:00:00 [time-text]\nEnter again files the line as read.");
    ASSERT_NE(fix(1), nullptr);
    EXPECT_EQ(fix(1)->text(), QStringLiteral("File as T,19:30:00,65,73"));
    EXPECT_EQ(fix(2), nullptr);
    // Clear of the code list's window edge: the whole note lies inside the window.
    EXPECT_TRUE(form.centralWidget()->rect().contains(note->geometry()));

    QTest::keyClick(text6, Qt::Key_Return);
    EXPECT_EQ(items("List1"), std::vector<std::string>{"T,19:00:00,65,73"});
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(test::control<QListWidget>(form, "List1")->item(0)->toolTip().toStdString(),
              "warning: 19.30 reads as 19:00:00");

    // A pulse written on longer than off reads two ways; each is a fix.
    enter("W,8,1,P1,10M,5S");
    ASSERT_NE(fix(2), nullptr);
    EXPECT_EQ(fix(1)->text(), QStringLiteral("File as W,08:00:00,1,P1,5S,10M (off 10 minutes)"));
    EXPECT_EQ(fix(2)->text(), QStringLiteral("File as W,08:00:00,1,P1,5S,595S (every 10 minutes)"));
    fix(2)->click();
    EXPECT_EQ(items("List3"), std::vector<std::string>{"W,08:00:00,1,P1,5S,595S"});
    EXPECT_TRUE(text6->text().isEmpty());
    EXPECT_FALSE(note->isVisible());

    // A change of the held text lets it go; the line is checked afresh.
    enter("L,6.30,1,on");
    EXPECT_TRUE(note->isVisible());
    text6->setText("L,6:30,1,on");
    EXPECT_FALSE(note->isVisible());
    QTest::keyClick(text6, Qt::Key_Return);
    EXPECT_EQ(items("List2"), std::vector<std::string>{"L,06:30:00,1,ON"});

    // An edit in place is held the same way, and its fix files in its row.
    auto* list2 = test::control<QListWidget>(form, "List2");
    list2->setCurrentRow(0);
    list2->editItem(list2->item(0));
    auto* line = qobject_cast<QLineEdit*>(list2->indexWidget(list2->model()->index(0, 0)));
    ASSERT_NE(line, nullptr);
    line->setText("L,7.15,1,on");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(items("List2"), std::vector<std::string>{"L,06:30:00,1,ON"});
    EXPECT_TRUE(note->isVisible());
    ASSERT_NE(fix(1), nullptr);
    fix(1)->click();
    EXPECT_EQ(items("List2"), std::vector<std::string>{"L,07:15:00,1,ON"});
    EXPECT_FALSE(note->isVisible());
}

} // namespace
