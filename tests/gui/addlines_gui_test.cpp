#include "checks/lint.h"
#include "gui/form1.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"

#include "support.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace fh;
using test::control;

class AddLinesWindow : public testing::Test {
protected:
    void SetUp() override { test::showActive(form); }

    // Program > Add Lines…, with the fields of the kind at `kind` filled in.
    QDialog* open(int kind, const std::vector<std::pair<const char*, const char*>>& fields)
    {
        form.menus().addLinesAction->trigger();
        auto* dialog = control<QDialog>(form, "AddLines");
        if (!dialog)
            return nullptr;
        control<QComboBox>(*dialog, "Combo1")->setCurrentIndex(kind);
        for (const auto& [name, text] : fields)
            control<QLineEdit>(*dialog, name)->setText(QString::fromLatin1(text));
        return dialog;
    }
    static std::string text(const QDialog& dialog, const char* name)
    {
        return control<QPlainTextEdit>(dialog, name)->toPlainText().toStdString();
    }

    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock;
    Session session{messages, clock};
    Form1 form{session, messages};
};

TEST_F(AddLinesWindow, SaysWhyItCannotAddAndDisablesAdd)
{
    CommandLists full;
    full[0].assign(100, "T,12:00:00,70,80");
    const struct {
        CommandLists lists;
        std::vector<std::pair<const char*, const char*>> fields;
        std::string lines, refusal;
    } rows[] = {
        {{}, {}, "", "no valves are given"},
        {full, {{"WaterValves", "3"}, {"WaterAt", "7"}, {"WaterFor", "15m"}}, "W,07:00:00,3,ON\nW,07:15:00,3,OFF",
         "the program would hold 102 lines; it holds at most 101"},
    };
    for (const auto& row : rows) {
        session.open(row.lists);
        form.render();
        QDialog* dialog = open(0, row.fields);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(control<QLabel>(*dialog, "Label3")->text().toStdString(), row.refusal);
        EXPECT_FALSE(control<QPushButton>(*dialog, "Command1")->isEnabled()) << row.refusal;
        EXPECT_EQ(text(*dialog, "Text1"), row.lines);
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(session.lists(), row.lists);
    }
}

TEST_F(AddLinesWindow, TheRampReadsItsDegreesOnTheScaleTheWindowsShow)
{
    const struct { fh::Display::Temperature shown; const char *from, *to; QString caption, example; } rows[] = {
        {fh::Display::Temperature::Fahrenheit, "64.4/71.6", "71.6/78.8", QStringLiteral("From (\u00B0F):"), "65/73"},
        {fh::Display::Temperature::Celsius, "18/22", "22/26", QStringLiteral("From (\u00B0C):"), "18/23"},
    };
    for (const auto& row : rows) {
        session.setDisplay(fh::Display{row.shown});
        QDialog* dialog = open(3, {{"RampFrom", row.from}, {"RampTo", row.to}, {"RampStart", "5"},
                                   {"RampFor", "2h"}, {"RampSteps", "2"}});
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(text(*dialog, "Text1"), "T,06:00:00,68,75.2\nT,07:00:00,71.6,78.8") << row.from;
        EXPECT_EQ(control<QLabel>(*dialog, "RampFromCaption")->text(), row.caption);
        EXPECT_EQ(control<QLineEdit>(*dialog, "RampFrom")->placeholderText(), row.example);
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// In °C the set-points are added as typed in °C, so they are no slip in the checks.
TEST_F(AddLinesWindow, SetPointsInCelsiusAreAddedAsTypedInCelsius)
{
    session.setDisplay(fh::Display{fh::Display::Temperature::Celsius});
    QDialog* dialog = open(4, {{"SetpointAt", "6"}, {"SetpointHeat", "22"}, {"SetpointGap", "4"}});
    ASSERT_NE(dialog, nullptr);
    control<QPushButton>(*dialog, "Command1")->click();
    EXPECT_EQ(session.lists()[0], std::vector<std::string>{"T,06:00:00,71.6,78.8"});
    fh::LineMemo memo;
    for (const fh::Finding& f : fh::lint(session.lists(), session.display(), session.written(), memo))
        EXPECT_NE(f.code, fh::code::unitText) << f.message;
}

TEST_F(AddLinesWindow, ShowsTheFindingsOfTheNewLinesAndAddsThemAsOneStep)
{
    const CommandLists pulsed = {{{}, {}, {"W,05:00:00,4,P1,3S,10M", "W,05:30:00,4,OFF"}}};
    session.open(pulsed);
    form.render();
    QDialog* dialog = open(1, {{"MistValves", "1/2"}, {"MistTimer", "1"}, {"MistFrom", "8"}, {"MistTo", "18"},
                               {"MistOn", "5s"}, {"MistEvery", "10m"}});
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text(*dialog, "Text1"), "W,08:00:00,1/2,P1,5S,595S\nW,18:00:00,1/2,OFF");
    const std::string findings = text(*dialog, "Text2");
    EXPECT_TRUE(findings.starts_with("warning: ") && findings.ends_with("[timer-conflict]")) << findings;
    EXPECT_EQ(control<QLabel>(*dialog, "Label3")->text(), "");

    auto* add = control<QPushButton>(*dialog, "Command1");
    ASSERT_TRUE(add->isEnabled());
    add->click();
    EXPECT_FALSE(dialog->isVisible());
    const CommandLists added = {
        {{}, {}, {"W,05:00:00,4,P1,3S,10M", "W,05:30:00,4,OFF", "W,08:00:00,1/2,P1,5S,595S", "W,18:00:00,1/2,OFF"}}};
    EXPECT_EQ(session.lists(), added);

    QAction* undo = form.menus().undoAction;
    EXPECT_EQ(undo->text(), "Undo Add Lines");
    undo->trigger();
    EXPECT_EQ(session.lists(), pulsed);
    EXPECT_FALSE(undo->isEnabled()) << "the lines were one step";
    form.menus().redoAction->trigger();
    EXPECT_EQ(session.lists(), added);
}

} // namespace

namespace {

// "By the sun": the place House… keeps and today, the lines for that date and how long
// they stay with the sun beside them.
TEST_F(AddLinesWindow, ByTheSunStartsAtTheHouseTodayAndSaysHowLongTheLinesHold)
{
    form.setHousePlace([] { return std::string("52.37,4.9,Europe/Amsterdam"); });
    QDialog* dialog = open(5, {});
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo1")->currentText(), "By the sun");
    EXPECT_EQ(control<QLineEdit>(*dialog, "SunPlace")->text(), "52.37,4.9,Europe/Amsterdam");
    EXPECT_EQ(control<QLineEdit>(*dialog, "SunDate")->text(), QDate::currentDate().toString(Qt::ISODate));
    for (const auto& [name, typed] : {std::pair{"SunDate", "2027-03-14"}, {"SunRelays", "1/2/3"},
                                      {"SunFrom", "sunrise-30m"}, {"SunTo", "sunset+1h"}})
        control<QLineEdit>(*dialog, name)->setText(QString::fromLatin1(typed));
    EXPECT_EQ(text(*dialog, "Text1"), "L,06:28:00,1/2/3,ON\nL,19:43:00,1/2/3,OFF");
    EXPECT_EQ(control<QLabel>(*dialog, "Label4")->text(), "within 5 min of the sun until 2027-03-16");
    EXPECT_TRUE(control<QPushButton>(*dialog, "Command1")->isEnabled());
    dialog->close();
}

} // namespace
