#include "compiler/listorder.h"
#include "gui/compilercontrols.h"
#include "gui/controltable.h"
#include "session/session.h"
#include "language/latin1.h"
#include "gui/form1.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtdevices.h"

#include "support.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using fh::Form1;
using fh::test::control;
using fh::test::enter;
using Lines = std::vector<std::string>;

const QColor red{255, 0, 0};
const QColor green{0, 255, 0};

// Records as the double does; with an owner, it also takes the focus while it shows,
// as a modal box does.
class ModalMessages : public fh::doubles::RecordingMessageBox {
public:
    void show(const std::string& text) override
    {
        RecordingMessageBox::show(text);
        if (!owner)
            return;
        QDialog box(owner);
        box.setModal(true);
        box.show();
        QApplication::setActiveWindow(&box);
        box.hide();
        QApplication::setActiveWindow(owner);
    }
    QWidget* owner = nullptr;
};

class Form1Test : public testing::Test {
protected:
    Lines shown(const char* listName) { return fh::test::items(form, listName); }

    QColor background(const char* name) { return control<QWidget>(form, name)->palette().color(QPalette::Window); }
    void fill(fh::CommandLists lists) { session.open(std::move(lists)); form.render(); }

    // Row `row` of a list made current and given the focus; -1: none.
    QListWidget* select(const char* name, int row)
    {
        auto* list = control<QListWidget>(form, name);
        list->setCurrentRow(row);
        list->setFocus();
        return list;
    }
    // The open item editor of a row, if any.
    QLineEdit* itemEditor(const char* name, int row)
    {
        auto* list = control<QListWidget>(form, name);
        return qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(row, 0)));
    }
    // F2 on a row.
    QLineEdit* openEditor(const char* name, int row)
    {
        QTest::keyClick(select(name, row), Qt::Key_F2);
        return itemEditor(name, row);
    }
    // As the system sends it: a click, then the double click.
    QLineEdit* doubleClick(const char* name, int row)
    {
        auto* list = control<QListWidget>(form, name);
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return itemEditor(name, row);
    }
    // A line typed into an item editor, then Enter.
    void file(QLineEdit* line, const QString& text)
    {
        ASSERT_NE(line, nullptr);
        line->setText(text);
        QTest::keyClick(line, Qt::Key_Return);
    }

    ModalMessages messages;
    fh::doubles::FakeClock clock{7 * 3600};
    fh::Session session{messages, clock};
    const fh::Editor& editor = session.editor();
    Form1 form{session, messages};
};

// Which list a line goes to is the editor's; List1 to List3 show the lists.
TEST_F(Form1Test, GoodLineIsFiledInItsListAndMarksTheProgramNotCurrent)
{
    // Latin-1 letters reach the core as Latin-1 bytes.
    const std::pair<QString, QString> typedAndFiled[] = {
        {"T,4:00:33,78,84", "T,04:00:33,78,84"},
        {QString::fromLatin1("T,6:00,70\xB0,80"), QString::fromLatin1("T,06:00:00,70\xB0,80")},
    };
    // The indicator's caption, the colours of its frame and button, and the button's tick.
    const auto indicator = [&] {
        return std::tuple(control<QLabel>(form, "Label12")->text(), background("Frame1"), background("Option5"),
                          control<QRadioButton>(form, "Option5")->isChecked());
    };
    EXPECT_EQ(control<QLabel>(form, "Label12")->text(), "Not Current");
    for (const auto& [typed, filed] : typedAndFiled) {
        SCOPED_TRACE(typed.toStdString());
        fill({});
        QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
        EXPECT_EQ(indicator(), std::tuple(QString("programmed"), green, green, true));
        enter(form, typed);
        enter(form, typed);
        const std::string bytes = filed.toLatin1().toStdString();
        EXPECT_EQ(editor.lists(), (fh::CommandLists{{{bytes, bytes}, {}, {}}}));
        EXPECT_EQ(shown("List1"), (Lines{filed.toStdString(), filed.toStdString()}));
        EXPECT_EQ(control<QLineEdit>(form, "Text6")->text(), "");
        EXPECT_EQ(indicator(), std::tuple(QString("not current"), red, red, false));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, RefusedLineIsReportedAndStaysInTheEntryBox)
{
    const struct { QString typed; std::string message; } cases[] = {
        {"T,,70,80", "missing data"},
        // Beyond Latin-1: refused by the window, before the core sees it.
        {QString("T,6:00,70%1,80").arg(QChar(0x20AC)), std::string(fh::notLatin1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.shown.clear();
        enter(form, c.typed);
        EXPECT_EQ(messages.shown, Lines{c.message});
        EXPECT_EQ(control<QLineEdit>(form, "Text6")->text(), c.typed);
        EXPECT_EQ(shown("List1"), Lines{});
        EXPECT_EQ(control<QLabel>(form, "Label12")->text(), "Not Current");
    }
}

// The rules are the editor's; the window hands over the key and the current row.
TEST_F(Form1Test, DeleteKeyRemovesTheSelectedItemAndClearsTheSelection)
{
    fill({Lines{"T,01:00:00,70,80"}, Lines{"L,01:00:00,1,ON", "L,02:00:00,2,ON", "L,03:00:00,3,ON"}, Lines{}});
    auto* list2 = control<QListWidget>(form, "List2");
    list2->setCurrentRow(1);
    for (const Lines& expected : {Lines{"L,01:00:00,1,ON", "L,03:00:00,3,ON"}, Lines{"L,03:00:00,3,ON"}}) {
        QTest::keyClick(list2, Qt::Key_Delete);
        EXPECT_EQ(shown("List2"), expected);
        EXPECT_TRUE(list2->selectedItems().isEmpty());
        EXPECT_EQ(list2->currentRow(), -1);
    }
    EXPECT_EQ(shown("List1"), Lines{"T,01:00:00,70,80"});
}

TEST_F(Form1Test, RightButtonCopiesTheSelectedItem)
{
    const struct { Qt::MouseButton button; bool doubleClick; QString text6; } cases[] = {
        {Qt::RightButton, false, "L,02:00:00,2,OFF"},
        {Qt::LeftButton, false, "typed"},
        {Qt::RightButton, true, "L,02:00:00,2,OFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << (c.doubleClick ? " double" : ""));
        // Fresh items: the list remembers the item of the last press.
        fill({});
        fill({Lines{}, Lines{"L,01:00:00,1,ON", "L,02:00:00,2,OFF"}, Lines{}});
        auto* list2 = control<QListWidget>(form, "List2");
        list2->setCurrentRow(1);
        control<QLineEdit>(form, "Text6")->setText("typed");
        // Pressed on the first item, which the right button must not select.
        const QPoint first = list2->visualItemRect(list2->item(0)).center();
        if (c.doubleClick)
            QTest::mouseDClick(list2->viewport(), c.button, {}, first);
        else
            QTest::mouseClick(list2->viewport(), c.button, {}, first);
        EXPECT_EQ(control<QLineEdit>(form, "Text6")->text(), c.text6);
        EXPECT_EQ(shown("List2"), (Lines{"L,01:00:00,1,ON", "L,02:00:00,2,OFF"}));
        EXPECT_EQ(list2->currentRow(), c.button == Qt::RightButton ? 1 : 0);
    }
}

// Each change of the lists is one step for the keys to undo and redo, except in the
// entry box, whose Ctrl+Z undoes its own typing. Neither moves the program's state.
TEST_F(Form1Test, EveryChangeOfTheListsIsOneStepToUndoAndRedo)
{
    fh::test::showActive(form);
    auto* text6 = control<QLineEdit>(form, "Text6");
    QTest::keyClicks(text6, "L,18:00,1,ON");
    QTest::keyClick(text6, Qt::Key_Return);
    QTest::keyClick(text6, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text6->text(), "L,18:00,1,ON");
    EXPECT_EQ(shown("List2"), Lines{"L,18:00:00,1,ON"});

    int asked = 0;
    form.setCloseGuard([&asked] {
        ++asked;
        return true;
    });
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"type", [&] { enter(form, "l,8:00,2,on"); }},
        {"type", [&] { enter(form, "W,9:00,3,ON"); }},
        {"delete", [&] { QTest::keyClick(select("List3", 0), Qt::Key_Delete); }},
        {"edit", [&] { file(openEditor("List2", 0), "L,19:00,1,OFF"); }},
        {"sort", [&] { form.menus().sortAction->trigger(); }},
        // As the application wires Load.
        {"load", [&] { form.history().record("Load", [&] { session.open({Lines{"T,05:00:00,60,70"}}); }); }},
        {"new", [&] { form.menus().newAction->trigger(); }},
    };
    std::vector<fh::CommandLists> states{editor.lists()};
    for (const auto& [what, change] : changes) {
        change();
        EXPECT_NE(editor.lists(), states.back()) << what;
        states.push_back(editor.lists());
    }
    EXPECT_EQ(states[4][1], (Lines{"L,19:00:00,1,OFF", "L,08:00:00,2,ON"})) << "edited in place";
    EXPECT_EQ(states[5][1], (Lines{"L,08:00:00,2,ON", "L,19:00:00,1,OFF"})) << "sorted";
    EXPECT_EQ(asked, 1);
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);

    auto* list1 = select("List1", -1);
    for (std::size_t i = std::size(changes); i-- > 0;) {
        QTest::keyClick(list1, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(editor.lists(), states[i]) << "undo " << changes[i].first;
        EXPECT_EQ(shown("List3"), states[i][2]);
        if (std::string_view(changes[i].first) == "delete") {
            EXPECT_EQ(control<QListWidget>(form, "List3")->currentRow(), 0) << "the item at its place, selected";
        }
    }
    const QKeyCombination redo[] = {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y};
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        QTest::keyClick(list1, redo[i % 2].key(), redo[i % 2].keyboardModifiers());
        EXPECT_EQ(editor.lists(), states[i + 1]) << "redo " << changes[i].first;
    }
    EXPECT_EQ(control<QLabel>(form, "Label12")->text(), "programmed");
}

TEST_F(Form1Test, EditInPlaceKeepsARefusedLineUntilAGoodOneOrEscape)
{
    const Lines lights{"L,01:00:00,1,ON", "L,02:00:00,2,ON"};
    fill({Lines{}, lights, Lines{}});
    fh::test::showActive(form);
    messages.owner = &form;
    QLineEdit* line = doubleClick("List2", 1);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "L,02:00:00,2,ON");
    file(line, "L,25:00,2,ON");
    EXPECT_EQ(messages.shown, Lines{"format time hr:min:sec"});
    // Fault mended: the message box took the focus, and the editor closed with it.
    ASSERT_EQ(itemEditor("List2", 1), line);
    EXPECT_TRUE(line->hasFocus());
    EXPECT_EQ(shown("List2"), lights);

    file(line, "w,3:00,4,on");
    EXPECT_EQ(shown("List2"), Lines{"L,01:00:00,1,ON"});
    EXPECT_EQ(shown("List3"), Lines{"W,03:00:00,4,ON"});
    EXPECT_EQ(control<QListWidget>(form, "List3")->currentRow(), 0) << "in its own list, selected";

    line = openEditor("List3", 0);
    ASSERT_NE(line, nullptr);
    line->setText("W,4:00,4,OFF");
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_EQ(itemEditor("List3", 0), nullptr);
    EXPECT_EQ(shown("List3"), Lines{"W,03:00:00,4,ON"});
}

// Fault mended: the lines named in the refusal showed a Latin-1 letter as a broken
// character in the box, which reads UTF-8.
TEST_F(Form1Test, SortRefusalNamesTheLinesAsTheListsShowThem)
{
    const fh::CommandLists lists{Lines{"T,06:00:00,70\xB0,80"}, Lines{"L,06:00:00,1,ON"}, Lines{}};
    fill(lists);
    form.menus().sortAction->trigger();
    EXPECT_EQ(messages.shown, Lines{std::string(fh::notSorted) + "\nT,06:00:00,70\xC2\xB0,80\nL,06:00:00,1,ON"});
    EXPECT_EQ(editor.lists(), lists);
}

// Fault mended: Enter on an item edited without a change made a sent program "not current".
TEST_F(Form1Test, AnUnchangedEditInPlaceChangesNothing)
{
    const Lines lights{"L,01:00:00,1,ON", "L,02:00:00,2,ON"};
    fill({Lines{}, lights, Lines{}});
    fh::test::showActive(form);
    QTest::mouseClick(control<QPushButton>(form, "Command1"), Qt::LeftButton);
    // Nothing typed: the line is filed as shown.
    const struct { const char* how; std::function<QLineEdit*()> open; QString typed; } edits[] = {
        {"F2", [&] { return openEditor("List2", 1); }, {}},
        {"double click", [&] { return doubleClick("List2", 1); }, {}},
        {"typed as it is filed", [&] { return openEditor("List2", 1); }, "l,2:00,2,on"},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.how);
        QLineEdit* line = e.open();
        ASSERT_NE(line, nullptr);
        file(line, e.typed.isEmpty() ? line->text() : e.typed);
        EXPECT_EQ(itemEditor("List2", 1), nullptr) << "filed and closed";
        EXPECT_EQ(shown("List2"), lights);
        EXPECT_EQ(control<QLabel>(form, "Label12")->text(), "programmed");
        EXPECT_EQ(form.history().stack().count(), 0);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, EveryActivationRestoresTheStartUpTexts)
{
    QSignalSpy first(&form, &Form1::firstActivated);
    QSignalSpy every(&form, &Form1::activated);
    fh::test::showActive(form);

    auto* option2 = control<QRadioButton>(form, "Option2");
    EXPECT_TRUE(option2->isChecked());
    EXPECT_FALSE(control<QLabel>(form, "Label8")->text().isEmpty());
    EXPECT_FALSE(control<QPlainTextEdit>(form, "Text7")->toPlainText().isEmpty());

    // A return from another window of the program runs the start-up again.
    control<QRadioButton>(form, "Option1")->setChecked(true);
    QWidget other;
    fh::test::showActive(other);
    fh::test::showActive(form);
    EXPECT_TRUE(option2->isChecked());
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(every.count(), 2);

    // A return from a dialog (message box, file dialog) does not, nor one from
    // another application.
    control<QRadioButton>(form, "Option1")->setChecked(true);
    QDialog dialog(&form);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.accept();
    fh::test::showActive(form);
    EXPECT_FALSE(option2->isChecked());
    EXPECT_EQ(every.count(), 2);

    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(form.isActiveWindow());
    EXPECT_FALSE(option2->isChecked());
    EXPECT_EQ(every.count(), 2);
}

// The fonts of the table resolve to the faces meant, through the substitutes.
TEST_F(Form1Test, ControlsShowTheirFontsOnTheGreyWindow)
{
    const struct { const char* name; bool bold, fixedPitch; } cases[] = {
        {"Label1", false, false}, {"Check5", false, false}, {"List2", true, false},
        {"Text6", false, false},  {"Label8", false, true},  {"List5", true, true},
    };
    fh::test::showActive(form);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QFontInfo font(fh::child<QWidget>(form, c.name).font());
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.fixedPitch(), c.fixedPitch);
    }
    EXPECT_TRUE(control<QWidget>(form, "List5")->isHidden());
    // An empty stretch of the window shows the grey background.
    const QImage picture = form.centralWidget()->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(4, 4)), QColor(192, 192, 192));
}

// Other classes reach the controls by class; a name that no table gives, or a
// control of another class, fails at once instead of leaving a feature out.
TEST_F(Form1Test, ControlLookupFailsOnAMisspeltNameOrAnotherClass)
{
    EXPECT_EQ(&fh::child<QLabel>(form, "Label6"), form.widgets().clock);
    EXPECT_THROW(fh::child<QLabel>(form, "Lable6"), std::logic_error);
    EXPECT_THROW(fh::child<QPushButton>(form, "Label6"), std::logic_error);
}

class CompilerControlsTest : public Form1Test {
protected:
    QListWidget* list5() { return control<QListWidget>(form, "List5"); }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(form, name), Qt::LeftButton); }
    Lines code() { return shown("List5"); }

    fh::CompilerControls compiler{form, session};
};

TEST_F(CompilerControlsTest, ButtonsShowTheProgramInTheCodeList)
{
    fill({Lines{"T,08:00:00,70,80"}, Lines{"L,06:00:00,1,ON"}, Lines{"W,07:00:00,2,OFF"}});
    EXPECT_TRUE(list5()->isHidden());

    click("Command3");
    EXPECT_FALSE(list5()->isHidden());
    EXPECT_EQ(code(), (Lines{"T,08:00:00,70,80", "L,06:00:00,1,ON", "W,07:00:00,2,OFF"}));

    click("Command4");
    EXPECT_EQ(code(), (Lines{"L,06:00:00,1,ON", "W,07:00:00,2,OFF", "T,08:00:00,70,80"}));

    click("Command5");
    const Lines compiled = code();
    EXPECT_EQ(compiled[0], "L,06:00:00, 1,-1,-1,-1,-1,-1, 0,     0     0     0");
    // Fault mended: a second press parsed the parsed lines into wrong code.
    click("Command5");
    EXPECT_EQ(code(), compiled);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CompilerControlsTest, CodeListIsGreyFromAnyChangeOfTheListsUntilTheNextCompile)
{
    fill({Lines{"T,08:00:00,70,80"}, Lines{}, Lines{}});
    click("Command5");
    const QColor fresh = list5()->palette().color(QPalette::Text);
    const QString tip = list5()->toolTip();
    const std::pair<std::function<void()>, bool> steps[] = {
        {[&] { enter(form, "L,9:00,1,ON"); }, true},
        {[&] { click("Command4"); }, true}, // sorting the program reads no list
        {[&] { click("Command3"); }, false},
        {[&] { QTest::keyClick(select("List1", 0), Qt::Key_Delete); }, true},
    };
    for (const auto& [step, grey] : steps) {
        step();
        EXPECT_EQ(list5()->palette().color(QPalette::Text) != fresh, grey);
        EXPECT_EQ(list5()->toolTip(), grey ? "Out of date: compile again" : tip);
    }
    EXPECT_EQ(code(), (Lines{"T,08:00:00,70,80", "L,09:00:00,1,ON"}));
}

// The one test with real message boxes: each is read and answered as soon as it shows.
TEST(MessageBoxes, TitledFernhollowWithoutIconNamingFilesAsTheSystemWritesThem)
{
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Information;
        QMessageBox::StandardButtons buttons;
        Qt::TextFormat format = Qt::AutoText;
    };
    Seen seen;
    const auto answer = [&seen](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()};
            box->button(button)->click();
        });
    };
    fh::QtMessageBox boxes;

    // File names and reasons come in the system's encoding (UTF-8 here).
    answer(QMessageBox::Ok);
    boxes.show("Cannot load /tmp/<b>Gew\xC3\xA4" "chshaus</b>.fhp: No such file or directory");
    EXPECT_EQ(seen.title, "Fernhollow");
    EXPECT_EQ(seen.text, QString::fromUtf8(u8"Cannot load /tmp/<b>Gew\u00E4chshaus</b>.fhp: No such file or directory"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    answer(QMessageBox::Discard);
    EXPECT_EQ(boxes.askSave("Save changes to the program?"), fh::SaveChoice::Discard);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);

    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
        answer(button);
        EXPECT_EQ(boxes.askYesNo("The program has 1 errors. Mark it as programmed anyway?"),
                  button == QMessageBox::Yes);
        EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

} // namespace
