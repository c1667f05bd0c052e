#include "session/programfiles.h"

#include "files/listing.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

class FileMenu : public testing::Test, protected doubles::AllDevices {
protected:
    Session session{messages, clock};
    const Editor& editor = session.editor();
    ProgramFiles menu{session, devices()};

    const CommandLists before{{{"T,06:00:00,70,80"}, {"L,06:00:00,1,ON"}, {}}};

    void SetUp() override { session.open(before); }
    void type(const std::string& line) { ASSERT_TRUE(session.enter(line)); }
};

TEST_F(FileMenu, LoadReplacesTheListsAndOffersTheNameNextTime)
{
    files.files["a.fhp"] = "T,06:00:00,70,80\r\n==\r\n==\r\nW,12:00:00,1,ON\r\n";
    dialogs.name = "a.fhp";
    type("T,7:00,70,80");
    menu.load();
    EXPECT_EQ(editor.lists(), (CommandLists{{{"T,06:00:00,70,80"}, {}, {"W,12:00:00,1,ON"}}}));
    EXPECT_FALSE(editor.modified());
    EXPECT_TRUE(messages.shown.empty());
    menu.save();
    EXPECT_EQ(dialogs.offered, (std::vector<std::string>{"", "a.fhp"}));
}

// Cancelled, unreadable, or a pipe that would block the window.
TEST_F(FileMenu, RefusedLoadLeavesTheListsAsTheyWere)
{
    menu.load();
    EXPECT_EQ(menu.lastName(), "");
    files.failing["b.fhp"] = "Permission denied";
    dialogs.name = "b.fhp";
    menu.load();
    EXPECT_EQ(menu.lastName(), "b.fhp");
    files.files["fifo"] = "T,06:00:00,70,80\r\n";
    files.pipes.insert("fifo");
    EXPECT_FALSE(menu.loadFrom("fifo"));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Cannot load b.fhp: Permission denied",
                                                        "Cannot load fifo: fifo is not a regular file"}));
    EXPECT_EQ(editor.lists(), before);
}

// The report's form is the file window's test, the notes the program file's and the
// commands'; here ten failing lines at most, and a count of the rest.
TEST_F(FileMenu, LoadReportsTheNotesByTheirLineInTheFile)
{
    std::string bytes = "==\r\n";
    for (int i = 0; i < 13; ++i)
        bytes += "bad\r\n";
    files.files["d.fhp"] = bytes;
    menu.loadFrom("d.fhp");
    std::string expected = "Lines of d.fhp to look at:";
    for (int i = 2; i <= 11; ++i)
        expected += "\nline " + std::to_string(i) + ": missing data";
    EXPECT_EQ(messages.shown, (std::vector<std::string>{expected + "\nand 3 more"}));
}

TEST_F(FileMenu, SaveWritesTheProgramFileOrReportsAFailure)
{
    type("w,12:00,1,p1,3s,10m");
    dialogs.name = "e.fhp";
    EXPECT_TRUE(menu.save());
    EXPECT_EQ(files.files["e.fhp"], "T,06:00:00,70,80\r\n==\r\nL,06:00:00,1,ON\r\n==\r\nW,12:00:00,1,P1,3S,10M\r\n");
    EXPECT_FALSE(editor.modified());

    // A failed save is reported and not done.
    type("T,7:00,70,80");
    files.files["f.fhp"] = "old";
    files.failing["f.fhp"] = "No space left on device";
    dialogs.name = "f.fhp";
    EXPECT_FALSE(menu.save());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Cannot save f.fhp: No space left on device"}));
    EXPECT_EQ(files.files["f.fhp"], "old");
    EXPECT_TRUE(editor.modified());
}

TEST_F(FileMenu, PrintListsTheProgramUnlessCancelledAndReportsAFailure)
{
    printers.cancelled = true;
    menu.print();
    EXPECT_EQ(printers.printer.pages, (std::vector<std::vector<std::string>>{{}}));
    printers.cancelled = false;
    printers.printer.failure = "printer offline";
    menu.print();
    ASSERT_EQ(printers.printer.pages.size(), 1u);
    doubles::RecordingPrinter listed;
    ASSERT_EQ(printListing(before, listed, "listing"), std::nullopt);
    EXPECT_EQ(printers.printer.pages, listed.pages) << "the program's listing";
    EXPECT_EQ(printers.printer.ended, 1);
    EXPECT_EQ(printers.printer.jobName, "Fernhollow \u2013 listing");
    EXPECT_EQ(printers.offered, (std::vector<std::string>{"listing.pdf", "listing.pdf"}));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Cannot print: printer offline"}));
}

// The footer names the file without its folders, or "Untitled", and the clock's time
// to the minute begun.
TEST_F(FileMenu, PrintedPagesSayWhatTheyAreAndWhen)
{
    const struct { const char* file; int second; std::string footer; } cases[] = {
        {"", 0, "Untitled \u2014 printed 2024-05-17 00:00 \u2014 page 1 of 1"},
        {"/home/ann/温室.fhp", 14 * 3600 + 3 * 60 + 59, "温室.fhp \u2014 printed 2024-05-17 14:03 \u2014 page 1 of 1"},
        {"plan.fhp", 23 * 3600 + 59 * 60 + 59, "plan.fhp \u2014 printed 2024-05-17 23:59 \u2014 page 1 of 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        session.setFileName(c.file);
        clock.set(c.second);
        printers.printer = {};
        menu.print();
        EXPECT_EQ(printers.printer.footers(), std::vector<std::string>{c.footer});
    }
}

struct CloseCase {
    const char* name;
    bool changed;
    SaveChoice answer;
    std::optional<std::string> saveName;
    bool writeFails;
    bool closes;
    bool written;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseQuestion : public FileMenu, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, ClosesOnlyWhenNothingIsLost)
{
    const CloseCase& c = GetParam();
    if (c.changed)
        type("T,7:00,70,80");
    messages.answer = c.answer;
    dialogs.name = c.saveName;
    if (c.writeFails)
        files.failing["g.fhp"] = "Is a directory";
    EXPECT_EQ(menu.closeRequested(), c.closes);
    EXPECT_EQ(messages.asked, c.changed ? std::vector<std::string>{"Save changes to the program?"} : std::vector<std::string>{});
    EXPECT_EQ(files.files.contains("g.fhp"), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseQuestion,
    testing::Values(CloseCase{"Unchanged", false, SaveChoice::Cancel, "g.fhp", false, true, false},
                    CloseCase{"Saved", true, SaveChoice::Save, "g.fhp", false, true, true},
                    CloseCase{"SaveDialogCancelled", true, SaveChoice::Save, std::nullopt, false, false, false},
                    CloseCase{"SaveFailed", true, SaveChoice::Save, "g.fhp", true, false, false},
                    CloseCase{"Discarded", true, SaveChoice::Discard, "g.fhp", false, true, false},
                    CloseCase{"Cancelled", true, SaveChoice::Cancel, "g.fhp", false, false, false}),
    [](const auto& info) { return info.param.name; });

// Sessions share nothing: two programs loaded side by side, with no window, each
// compile into their own program and belong to their own file.
TEST(Session, TwoSessionsHoldAndCompileTheirOwnPrograms)
{
    doubles::AllDevices d;
    d.clock.set(7 * 3600);
    const Devices devices = d.devices();
    d.files.files["a.fhp"] = "==\r\nL,06:00:00,1,ON\r\nL,08:00:00,1,OFF\r\n==\r\n";
    d.files.files["b.fhp"] = "T,09:00:00,60,70\r\n==\r\n==\r\nW,05:00:00,2,ON\r\n";

    Session a(d.messages, d.clock);
    Session b(d.messages, d.clock);
    ProgramFiles aFiles(a, devices);
    ProgramFiles bFiles(b, devices);
    ASSERT_TRUE(aFiles.loadFrom("a.fhp"));
    ASSERT_TRUE(bFiles.loadFrom("b.fhp"));
    ASSERT_TRUE(a.compile());
    const auto aRevision = a.program().revision();
    ASSERT_TRUE(b.compile());

    EXPECT_EQ(a.program().revision(), aRevision);
    EXPECT_EQ(b.program().line(0).substr(0, 10), "W,05:00:00");
    EXPECT_EQ(a.fileName(), "a.fhp");
    EXPECT_EQ(b.fileName(), "b.fhp");
    EXPECT_TRUE(d.messages.shown.empty());

    // A change in one leaves the other's lists and undo history alone.
    a.history().record([&] { a.enter("L,12:00,2,ON"); });
    EXPECT_TRUE(a.modified());
    EXPECT_FALSE(b.modified());
    EXPECT_FALSE(b.history().undo());
}

} // namespace
} // namespace fh
