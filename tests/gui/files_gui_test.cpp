#include "compiler/decode.h"
#include "compiler/program.h"
#include "session/programfiles.h"
#include "gui/filecontrols.h"
#include "gui/form1.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"

#include "support.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using namespace fh;
using Lines = std::vector<std::string>;

class FileControlsTest : public testing::Test, protected doubles::AllDevices {
protected:
    void SetUp() override
    {
        for (const char* name : {"/w/a.fhp", "/w/b.fhp"})
            files.files[name] = "T,06:00:00,70,80\r\n==\r\n==\r\n";
        test::showActive(form);
    }

    std::string title() const { return form.windowHandle()->title().toStdString(); }
    void trigger(QAction* action, const char* name)
    {
        dialogs.name = name;
        action->trigger();
    }
    void type(const char* line) { test::enter(form, line); }
    Lines recentItems()
    {
        emit form.menus().recentMenu->aboutToShow();
        Lines items;
        for (const QAction* item : form.menus().recentMenu->actions())
            items.push_back(item->text().toStdString());
        return items;
    }

    Session session{messages, clock};
    const Editor& editor = session.editor();
    ProgramFiles programFiles{session, devices()};
    Form1 form{session, messages};
    FileControls controls{form, session, programFiles};
};

TEST_F(FileControlsTest, TitleNamesTheFileAndMarksUnsavedChanges)
{
    EXPECT_EQ(title(), "Greenhouse Control");
    type("T,6:00,70,80");
    EXPECT_EQ(title(), "Greenhouse Control*");
    trigger(form.menus().saveAction, "/home/ann/v1.2/plan");
    EXPECT_TRUE(files.files.contains("/home/ann/v1.2/plan.fhp"));
    EXPECT_EQ(title(), "Greenhouse Control \u2014 plan.fhp");
    form.menus().printAction->trigger();
    EXPECT_EQ(printers.printer.jobName, "plan.fhp \u2013 listing");
    EXPECT_EQ(printers.offered.back(), "/home/ann/v1.2/plan-listing.pdf");

    test::control<QListWidget>(form, "List1")->setFocus();
    QTest::keyClick(test::control<QListWidget>(form, "List1"), Qt::Key_Delete);
    EXPECT_EQ(title(), "Greenhouse Control \u2014 plan.fhp*");
    files.files["/w/[*].fhp"] = "==\r\n==\r\n";
    trigger(form.menus().loadAction, "/w/[*].fhp");
    EXPECT_EQ(title(), "Greenhouse Control \u2014 [*].fhp");
    // Save As writes the same way, under the new name, and the title and recent files follow.
    trigger(form.menus().saveAsAction, "/w/copy");
    EXPECT_EQ(files.files["/w/copy.fhp"], files.files["/w/[*].fhp"]);
    EXPECT_EQ(title(), "Greenhouse Control \u2014 copy.fhp");
    EXPECT_EQ(recentItems().front(), "&1 /w/copy.fhp");
    EXPECT_EQ(form.menus().saveAsAction->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    form.menus().newAction->trigger();
    EXPECT_EQ(title(), "Greenhouse Control");
}

TEST_F(FileControlsTest, ImportRebuildsTheListsFromPasteableCodeAsOneStep)
{
    type("T,5:00,60,70");
    files.files["/w/code.txt"] = "T,06:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0\r\n"
                                 "W,12:00:00,-1,11,-1,-1,-1,-1,11,     3   600     0\r\n";
    files.files["/w/bad.txt"] = "T,06:00:00,70,80, 0, 0, 0, 0, 0,     0     0     0\nHELLO,, 0\n";
    files.files["/w/empty.txt"] = "\n";
    const CommandLists typed = editor.lists();

    trigger(form.menus().importAction, "/w/bad.txt");
    trigger(form.menus().importAction, "/w/empty.txt");
    EXPECT_EQ(messages.shown, (Lines{"Cannot import /w/bad.txt: line 2: " + std::string(notCode),
                                     "Cannot import /w/empty.txt: it holds no pasteable code"}));
    EXPECT_EQ(editor.lists(), typed);

    trigger(form.menus().importAction, "/w/code.txt");
    EXPECT_EQ(editor.lists(), (CommandLists{{{"T,06:00:00,70,80"}, {}, {"W,12:00:00,2,P1,3S,600S"}}}));
    form.menus().undoAction->trigger();
    EXPECT_EQ(editor.lists(), typed);

    QGuiApplication::clipboard()->setText("L,07:00:00, 1,-1, 1,-1,-1,-1, 0,     0     0     0");
    form.menus().importClipboardAction->trigger();
    EXPECT_EQ(editor.lists(), (CommandLists{{{}, {"L,07:00:00,1/3,ON"}, {}}}));
}

// Fault mended: the message box, which reads UTF-8, showed a Latin-1 letter of a
// note as a replacement character. The file's name is UTF-8 already.
TEST_F(FileControlsTest, LoadNotesShowLatin1LettersAsTheyAre)
{
    const std::string name = "/w/Gew\xC3\xA4" "chshaus.fhp";
    files.files[name] = "T,6:00,70\xB0,80\r\n==\r\n==\r\n";
    trigger(form.menus().loadAction, name.c_str());
    EXPECT_EQ(messages.shown,
              Lines{"Lines of " + name + " to look at:\nline 1: filed as T,06:00:00,70\xC2\xB0,80"});
    EXPECT_EQ(editor.lists()[0], Lines{"T,06:00:00,70\xB0,80"});
}

TEST_F(FileControlsTest, OpenRecentListsTheLastEightFilesAndDropsOneThatIsGone)
{
    EXPECT_FALSE(form.menus().recentMenu->isEnabled());
    for (int i = 0; i < 9; ++i) {
        const std::string name = "/w/" + std::to_string(i) + ".fhp";
        files.files[name] = "==\r\n==\r\n";
        trigger(form.menus().loadAction, name.c_str());
    }
    EXPECT_EQ(recentItems(), (Lines{"&1 /w/8.fhp", "&2 /w/7.fhp", "&3 /w/6.fhp", "&4 /w/5.fhp", "&5 /w/4.fhp",
                                    "&6 /w/3.fhp", "&7 /w/2.fhp", "&8 /w/1.fhp"}));

    files.files.erase("/w/7.fhp");
    test::control<QAction>(form, "rcnt2")->trigger();
    EXPECT_EQ(messages.shown, Lines{"/w/7.fhp is no longer there."});
    EXPECT_EQ(recentItems(), (Lines{"&1 /w/8.fhp", "&2 /w/6.fhp", "&3 /w/5.fhp", "&4 /w/4.fhp", "&5 /w/3.fhp",
                                    "&6 /w/2.fhp", "&7 /w/1.fhp"}));
    EXPECT_EQ(settings.strings(recentFilesKey), (Lines{"/w/8.fhp", "/w/6.fhp", "/w/5.fhp", "/w/4.fhp", "/w/3.fhp",
                                                       "/w/2.fhp", "/w/1.fhp"}));

    // A recent file, like any other, waits for the question on unsaved changes.
    type("T,7:00,70,80");
    test::control<QAction>(form, "rcnt2")->trigger();
    EXPECT_EQ(messages.asked, Lines{std::string(saveQuestion)});
    EXPECT_EQ(title(), "Greenhouse Control \u2014 8.fhp*");
}

TEST_F(FileControlsTest, DropOpensOneLocalFileAndRefusesAnythingElse)
{
    const QUrl a = QUrl::fromLocalFile("/w/a.fhp"), b = QUrl::fromLocalFile("/w/b.fhp");
    const struct { const char* target; QList<QUrl> urls; Qt::DropActions actions; bool opened; } cases[] = {
        {"Form1", {b}, Qt::CopyAction | Qt::MoveAction, true},
        {"Text6", {a}, Qt::CopyAction, true},
        {"Form1", {a, b}, Qt::CopyAction, false},
        {"Form1", {QUrl("https://example.org/a.fhp")}, Qt::CopyAction, false},
        // The file manager would delete a file moved.
        {"Form1", {b}, Qt::MoveAction, false},
    };
    std::string opened;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.urls.front().toString().toStdString());
        QWidget* target = c.target == std::string("Form1") ? &form : test::control<QWidget>(form, c.target);
        QMimeData data;
        data.setUrls(c.urls);
        data.setText(c.urls.front().toString());
        QDragEnterEvent enter(QPoint(10, 10), c.actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_EQ(enter.isAccepted(), c.opened);
        QDropEvent drop(QPointF(10, 10), c.actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        // The file opens once the drop is over.
        QCoreApplication::processEvents();
        EXPECT_EQ(drop.isAccepted() && drop.dropAction() == Qt::CopyAction, c.opened);
        if (c.opened)
            opened = c.urls.front().toLocalFile().toStdString();
        EXPECT_EQ(session.fileName(), opened);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// The form follows the chosen name; what cannot be written, or named, is said.
TEST_F(FileControlsTest, ExportWritesTheDayInTheFormOfTheNamesExtension)
{
    type("L,06:00:00,1,ON");
    type("L,18:00:00,1,OFF");
    clock.date = {2031, 2, 3, 0};
    struct Case {
        const char* name;
        const char* holds; // empty: nothing is written
        const char* message;
    };
    files.failing["/w/full.csv"] = "No space left on device";
    const Case cases[] = {
        {"/w/day.csv", "06:00:00,light 1,off,on,\"L,06:00:00,1,ON\"", ""},
        {"/w/DAY.CSV", "time,item,from,to,line\r\n", ""},
        {"/w/day.ics", "DTSTART:20310203T060000\r\n", ""},
        {"/w/day.vcd", "$timescale 1 s $end", ""},
        {"/w/day.txt", "", "Cannot export to /w/day.txt: name a file ending in .csv, .ics or .vcd"},
        {"/w/csv", "", "Cannot export to /w/csv: name a file ending in .csv, .ics or .vcd"},
        {"/w/full.csv", "", "Cannot export to /w/full.csv: No space left on device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        trigger(form.menus().exportAction, c.name);
        EXPECT_EQ(messages.shown, *c.message ? Lines{c.message} : Lines{});
        const auto file = files.files.find(c.name);
        EXPECT_EQ(file != files.files.end(), *c.holds != 0);
        if (file != files.files.end()) {
            EXPECT_NE(file->second.find(c.holds), std::string::npos) << file->second;
        }
    }
    EXPECT_EQ(form.menus().exportAction->objectName(), "Export…");
    // The lists are no file of their own: exporting saves nothing.
    EXPECT_TRUE(form.isWindowModified());

    const auto before = files.files.size();
    dialogs.name.reset();
    form.menus().exportAction->trigger();
    messages.answer = SaveChoice::Discard;
    form.menus().newAction->trigger();
    trigger(form.menus().exportAction, "/w/empty.csv");
    EXPECT_EQ(files.files.size(), before);
    EXPECT_EQ(messages.shown.back(), noProgramPresent);
}

} // namespace
