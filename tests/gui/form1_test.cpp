#include "compiler/program.h"
#include "gui/compilercontrols.h"
#include "language/editor.h"
#include "language/latin1.h"
#include "gui/form1.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtdevices.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Readable failures for Qt strings.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using fh::Form1;
using Lines = std::vector<std::string>;

const QColor red{255, 0, 0};
const QColor green{0, 255, 0};

class Form1Test : public testing::Test {
protected:
    template <class W>
    W* find(const char* name)
    {
        auto* w = form.findChild<W*>(name);
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }

    void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void enter(const QString& line)
    {
        QTest::keyClicks(find<QLineEdit>("Text6"), line);
        QTest::keyClick(find<QLineEdit>("Text6"), Qt::Key_Return);
    }

    Lines shown(const char* listName)
    {
        Lines items;
        const auto* list = find<QListWidget>(listName);
        for (int row = 0; row < list->count(); ++row)
            items.push_back(list->item(row)->text().toStdString());
        return items;
    }

    QColor background(const char* name)
    {
        return find<QWidget>(name)->palette().color(QPalette::Window);
    }

    void fill(fh::CommandLists lists)
    {
        editor.replaceLists(std::move(lists));
        form.render();
    }

    fh::doubles::RecordingMessageBox messages;
    fh::Editor editor{messages};
    Form1 form{editor, messages};
};

TEST_F(Form1Test, GoodLineIsFiledInItsListAndMarksTheProgramNotCurrent)
{
    struct Case {
        const char* typed;
        const char* list;
        const char* filed;
    };
    const Case cases[] = {
        {"T,4:00:33,78,84", "List1", "T,04:00:33,78,84"},
        {"T,6:00,70W,80W", "List1", "T,06:00:00,70W,80W"},
        {"l,15:22:00,2/4/6,on", "List2", "L,15:22:00,2/4/6,ON"},
        {"W,12:00:00,1/3/5,p1,3s,10m", "List3", "W,12:00:00,1/3/5,P1,3S,10M"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        fill({});
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        enter(c.typed);
        enter(c.typed);
        for (const char* list : {"List1", "List2", "List3"}) {
            const Lines expected = list == std::string(c.list) ? Lines{c.filed, c.filed} : Lines{};
            EXPECT_EQ(shown(list), expected) << list;
        }
        EXPECT_EQ(find<QLineEdit>("Text6")->text(), "");
        EXPECT_EQ(find<QLabel>("Label12")->text(), "not current");
        EXPECT_EQ(background("Frame1"), red);
        EXPECT_EQ(background("Option5"), red);
        EXPECT_FALSE(find<QRadioButton>("Option5")->isChecked());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, RefusedLineIsReportedAndStaysInTheEntryBox)
{
    struct Case {
        QString typed;
        std::string message;
    };
    const Case cases[] = {
        {"T,,70,80", "missing data"},
        {"Q,12:00:00,78,84", "T,L, or W only"},
        // Typed text cannot hold it, so it is set as if pasted.
        {QString("T,6:00,70%1,80").arg(QChar(0x20AC)), std::string(fh::notLatin1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.shown.clear();
        auto* text6 = find<QLineEdit>("Text6");
        text6->setText(c.typed);
        QTest::keyClick(text6, Qt::Key_Return);
        EXPECT_EQ(messages.shown, Lines{c.message});
        EXPECT_EQ(text6->text(), c.typed);
        EXPECT_EQ(shown("List1"), Lines{});
        EXPECT_EQ(find<QLabel>("Label12")->text(), "Not Current");
    }
}

TEST_F(Form1Test, LatinOneLettersReachTheListsUnchanged)
{
    auto* text6 = find<QLineEdit>("Text6");
    text6->setText(QString::fromLatin1("T,6:00,70\xB0,80"));
    QTest::keyClick(text6, Qt::Key_Return);
    ASSERT_EQ(editor.lists()[0].size(), 1u);
    EXPECT_EQ(editor.lists()[0][0], "T,06:00:00,70\xB0,80");
    EXPECT_EQ(find<QListWidget>("List1")->item(0)->text(), QString::fromLatin1("T,06:00:00,70\xB0,80"));
}

TEST_F(Form1Test, DeleteRemovesTheSelectedItemThenTheOnesAbove)
{
    struct Case {
        int selected;
        std::vector<Lines> afterEachDelete;
    };
    const Case cases[] = {
        {-1, {{"L,02:00:00,2,ON", "L,03:00:00,3,ON"}, {"L,03:00:00,3,ON"}, {}, {}}},
        {2, {{"L,01:00:00,1,ON", "L,02:00:00,2,ON"}, {"L,01:00:00,1,ON"}, {}}},
        {1, {{"L,01:00:00,1,ON", "L,03:00:00,3,ON"}, {"L,03:00:00,3,ON"}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        editor.rememberSelection(1, 0);
        fill({Lines{"T,01:00:00,70,80"},
              Lines{"L,01:00:00,1,ON", "L,02:00:00,2,ON", "L,03:00:00,3,ON"},
              Lines{}});
        auto* list2 = find<QListWidget>("List2");
        if (c.selected >= 0)
            list2->setCurrentRow(c.selected);
        for (const Lines& expected : c.afterEachDelete) {
            QTest::keyClick(list2, Qt::Key_Delete);
            EXPECT_EQ(shown("List2"), expected);
            EXPECT_TRUE(list2->selectedItems().isEmpty());
            EXPECT_EQ(list2->currentRow(), -1);
        }
        EXPECT_EQ(shown("List1"), Lines{"T,01:00:00,70,80"});
    }
}

TEST_F(Form1Test, RightButtonCopiesTheSelectedItem)
{
    struct Case {
        Qt::MouseButton button;
        bool doubleClick;
        int selected;
        QString text6;
    };
    const Case cases[] = {
        {Qt::RightButton, false, 1, "L,02:00:00,2,OFF"},
        {Qt::RightButton, false, -1, "typed"},
        {Qt::LeftButton, false, 1, "typed"},
        {Qt::RightButton, true, 1, "L,02:00:00,2,OFF"},
        {Qt::RightButton, true, -1, "typed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << (c.doubleClick ? " double" : ""));
        // Fresh items: the list remembers the item of the last press.
        fill({});
        fill({Lines{}, Lines{"L,01:00:00,1,ON", "L,02:00:00,2,OFF"}, Lines{}});
        auto* list2 = find<QListWidget>("List2");
        list2->clearSelection();
        list2->setCurrentRow(c.selected);
        find<QLineEdit>("Text6")->setText("typed");
        // Pressed on the first item, which the right button must not select.
        const QPoint first = list2->visualItemRect(list2->item(0)).center();
        if (c.doubleClick)
            QTest::mouseDClick(list2->viewport(), c.button, {}, first);
        else
            QTest::mouseClick(list2->viewport(), c.button, {}, first);
        EXPECT_EQ(find<QLineEdit>("Text6")->text(), c.text6);
        EXPECT_EQ(shown("List2"), (Lines{"L,01:00:00,1,ON", "L,02:00:00,2,OFF"}));
        if (c.button == Qt::RightButton) {
            EXPECT_EQ(list2->currentRow(), c.selected);
        }
    }
}

TEST_F(Form1Test, SendProgramShowsProgrammedUntilTheNextLine)
{
    EXPECT_EQ(find<QLabel>("Label12")->text(), "Not Current");
    EXPECT_EQ(background("Frame1"), red);

    QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("Label12")->text(), "programmed");
    EXPECT_EQ(background("Frame1"), green);
    EXPECT_EQ(background("Option5"), green);
    EXPECT_TRUE(find<QRadioButton>("Option5")->isChecked());

    enter("T,4:00:33,78,84");
    EXPECT_EQ(find<QLabel>("Label12")->text(), "not current");
    EXPECT_EQ(background("Frame1"), red);
    EXPECT_FALSE(find<QRadioButton>("Option5")->isChecked());
}

TEST_F(Form1Test, EveryActivationRestoresTheStartUpTexts)
{
    QSignalSpy first(&form, &Form1::firstActivated);
    QSignalSpy every(&form, &Form1::activated);
    showActive(form);

    auto* option2 = find<QRadioButton>("Option2");
    EXPECT_TRUE(option2->isChecked());
    for (int i = 1; i <= 12; ++i) {
        const QByteArray name = "Check" + QByteArray::number(i);
        EXPECT_EQ(find<QCheckBox>(name.constData())->text(), QString::number((i - 1) % 6 + 1));
    }
    const QStringList help = find<QLabel>("Label8")->text().split("\r\n");
    ASSERT_EQ(help.size(), 8);
    EXPECT_EQ(help[0], "Format: Device(T,L,W), Time (h:m:s) ");
    EXPECT_EQ(help[7], "W,12:00:00,1/3/5,p1,3s,10m");
    const QStringList examples = find<QPlainTextEdit>("Text7")->toPlainText().split('\n');
    EXPECT_EQ(examples, (QStringList{"T,4:00:33,78,84", "L,15:22:00,1/3/4,on", "W,12:00:00,2/4/6,p1,3s,10m"}));

    // A return from another window of the program runs the start-up again.
    find<QRadioButton>("Option1")->setChecked(true);
    QWidget other;
    showActive(other);
    showActive(form);
    EXPECT_TRUE(option2->isChecked());
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(every.count(), 2);

    // A return from a dialog (message box, file dialog) does not, nor one from
    // another application.
    find<QRadioButton>("Option1")->setChecked(true);
    QDialog dialog(&form);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.accept();
    showActive(form);
    EXPECT_FALSE(option2->isChecked());
    EXPECT_EQ(every.count(), 2);

    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(form.isActiveWindow());
    EXPECT_FALSE(option2->isChecked());
    EXPECT_EQ(every.count(), 2);
}

TEST_F(Form1Test, ClosingTheMainWindowEndsTheProgram)
{
    QWidget other;
    other.show();
    form.show();
    QTimer::singleShot(0, &form, &QWidget::close);
    QTimer::singleShot(5000, &other, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// Places in twips, 15 to a pixel, as the simulation's controls are laid out.
constexpr int twips(int value) { return value / 15; }

TEST_F(Form1Test, ControlsSitWhereTheLayoutPutsThemInTheirFonts)
{
    struct Case {
        const char* name;
        QPoint at;
        QSize size; // invalid: the layout gives no size
        double points;
        bool bold;
        bool fixedPitch;
    };
    const Case cases[] = {
        {"Label1", {40, 16}, {}, 18, false, false},
        {"Text2", {352, 16}, {}, 18, false, false},
        {"Label5", {56, 64}, {}, 13.5, false, false},
        {"Check5", {352, 112}, {25, 25}, 8, false, false},
        {"Check9", {640, 72}, {25, 25}, 8, false, false},
        {"Label11", {704, 184}, {}, 13.5, false, false},
        {"List2", {272, 160}, {193, 64}, 12, true, false},
        {"Frame1", {840, 136}, {41, 17}, 8, false, false},
        {"Command3", {16, 216}, {17, 17}, 8, false, false},
        {"Text6", {272, 240}, {425, 33}, 13.5, false, false},
        {"Label8", {192, 312}, {681, 129}, 8, false, true},
        {"List5", {168, 312}, {489, 132}, 9.75, true, true},
        {"Text7", {664, 368}, {193, 49}, 8, false, false},
        {"Label14", {704, 424}, {}, 8, false, false},
        {"Label6", {twips(10680), twips(360)}, {twips(1215), twips(495)}, 8, false, false},
        {"Check13", {twips(1680), twips(1800)}, {twips(615), twips(375)}, 8, false, false},
        {"Image3", {twips(1680), twips(5040)}, {twips(480), twips(480)}, 8, false, false},
        {"Label13", {twips(1680), twips(5640)}, {twips(495), twips(615)}, 8, false, false},
    };
    showActive(form);
    EXPECT_EQ(form.centralWidget()->size(), QSize(897, 468));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* w = find<QWidget>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->pos(), c.at);
        if (c.size.isValid()) {
            EXPECT_EQ(w->size(), c.size);
        }
        const QFontInfo font(w->font());
        // Point sizes land on whole pixels.
        EXPECT_NEAR(font.pointSizeF(), c.points, 0.5);
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.fixedPitch(), c.fixedPitch);
    }
    EXPECT_TRUE(find<QWidget>("List5")->isHidden());
    // An empty stretch of the window shows the grey background.
    const QImage picture = form.centralWidget()->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(4, 4)), QColor(192, 192, 192));
    EXPECT_EQ(form.windowTitle(), "Greenhouse Control");
    EXPECT_EQ(form.findChild<QAction*>("ssoff"), form.menus().ssoff);
    EXPECT_TRUE(form.menus().ssoff->isChecked());
    EXPECT_FALSE(form.menus().sson->isChecked());
}

class CompilerControlsTest : public testing::Test {
protected:
    QListWidget* list5() { return form.findChild<QListWidget*>("List5"); }

    void click(const char* name)
    {
        auto* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    Lines code()
    {
        Lines items;
        for (int row = 0; row < list5()->count(); ++row)
            items.push_back(list5()->item(row)->text().toStdString());
        return items;
    }

    void fill(fh::CommandLists lists)
    {
        editor.replaceLists(std::move(lists));
        form.render();
    }

    fh::doubles::RecordingMessageBox messages;
    fh::doubles::FakeClock clock{7 * 3600};
    fh::Editor editor{messages};
    fh::Program program;
    fh::Form1 form{editor, messages};
    fh::CompilerControls compiler{form, editor, program, messages, clock};
};

TEST_F(CompilerControlsTest, ButtonsShowTheProgramInTheCodeList)
{
    fill({Lines{"T,08:00:00,70,80"}, Lines{"L,06:00:00,1,ON"}, Lines{"W,07:00:00,2,OFF"}});
    ASSERT_NE(list5(), nullptr);
    EXPECT_TRUE(list5()->isHidden());

    click("Command3");
    EXPECT_FALSE(list5()->isHidden());
    EXPECT_EQ(code(), (Lines{"T,08:00:00,70,80", "L,06:00:00,1,ON", "W,07:00:00,2,OFF"}));

    click("Command4");
    EXPECT_EQ(code(), (Lines{"L,06:00:00,1,ON", "W,07:00:00,2,OFF", "T,08:00:00,70,80"}));

    click("Command5");
    const Lines parsed = code();
    ASSERT_EQ(parsed.size(), 3u);
    for (std::size_t i = 0; i < parsed.size(); ++i)
        EXPECT_EQ(parsed[i], program.prog()[i]);
    EXPECT_NE(parsed[0], "L,06:00:00,1,ON");
    EXPECT_EQ(parsed[0].rfind("L,06:00:00,", 0), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CompilerControlsTest, RefusedCombineLeavesTheCodeListAsItWas)
{
    fill({Lines(static_cast<std::size_t>(fh::progCapacity) + 1, "T,08:00:00,70,80"), Lines{}, Lines{}});
    click("Command3");
    EXPECT_EQ(messages.shown, Lines{std::string(fh::tooManyCommands)});
    EXPECT_TRUE(list5()->isHidden());
    EXPECT_EQ(list5()->count(), 0);
}

TEST_F(CompilerControlsTest, CodeListFollowsTheProgramSelectionAndVisibility)
{
    fill({Lines{"T,08:00:00,70,80", "T,09:00:00,70,80"}, Lines{}, Lines{}});
    click("Command3");

    program.highlight(1);
    form.render();
    EXPECT_EQ(list5()->currentRow(), 1);

    program.highlight(5);
    program.hideCode();
    form.render();
    EXPECT_TRUE(list5()->selectedItems().isEmpty());
    EXPECT_TRUE(list5()->isHidden());
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
    EXPECT_EQ(seen.title, "Fernhollow");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
}

} // namespace
