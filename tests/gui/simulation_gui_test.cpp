#include "compiler/daydiff.h"
#include "compiler/program.h"
#include "compiler/why.h"
#include "gui/chartcontrols.h"
#include "gui/compilercontrols.h"
#include "session/session.h"
#include "gui/form1.h"
#include "platform/doubles/doubles.h"
#include "gui/form3.h"
#include "gui/simcontrols.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include "simwindows.h"
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using fh::test::control;

class SimulationGuiTest : public testing::Test, protected fh::test::SimulatedWindows {
protected:
    QLabel* mainLabel(const char* name) { return control<QLabel>(form, name); }
    QAction* action(const char* name) { return control<QAction>(form, name); }
    bool shown(QWidget* w) { return w && !w->isHidden(); }
    void typeStart(const char* time)
    {
        auto* start = control<QLineEdit>(form3, "PreviewStart");
        start->selectAll();
        QTest::keyClicks(start, time);
        QTest::keyClick(start, Qt::Key_Return);
    }
    // Shortcuts reach only the active window.
    void press(QKeyCombination key)
    {
        fh::test::showActive(form);
        QTest::keyClick(&form, key.key(), key.keyboardModifiers());
    }

    const fh::Program& program = session.program();
    fh::Form3& form3 = controls.form3();

    // The middle of an item's place in the simulation window: an output's circle (its
    // picture over it while shown), a set-point, a timer's row.
    QPoint placeOf(const std::string& item)
    {
        const auto named = fh::dayItemNamed(item);
        const int k = named.value() % fh::outputCount;
        if (item.starts_with("light") || item.starts_with("valve")) {
            const int slot = item.starts_with("light") ? k : k + fh::outputCount;
            return control<QWidget>(form3, ("Shape4_" + std::to_string(slot)).c_str())->geometry().center();
        }
        if (item == "low" || item == "high")
            return control<QWidget>(form3, item == "low" ? "lsetLab" : "usetLab")->geometry().center();
        auto* list4 = control<QListWidget>(form3, "List4");
        return list4->viewport()->mapTo(&form3, list4->visualItemRect(list4->item(k)).center());
    }
    // The tooltip shown with the mouse at rest at `at`, asked for as the toolkit asks:
    // of the control the mouse is over, or of the window where no control takes it.
    std::string tooltipAt(QPoint at)
    {
        QToolTip::showText(QPoint(), QStringLiteral("none"), &form3);
        QWidget* over = form3.childAt(at);
        if (!over)
            over = &form3;
        const QPoint local = over->mapFrom(&form3, at);
        QHelpEvent help(QEvent::ToolTip, local, over->mapToGlobal(local));
        QApplication::sendEvent(over, &help);
        return QToolTip::text().toLatin1().toStdString();
    }
};

// What each state shows is the core's; the windows only have to show it.
TEST_F(SimulationGuiTest, SwitchesShowTheSimulationsStateInTheWindows)
{
    const auto look = [&] {
        return std::tuple(shown(mainLabel("Image2")), shown(mainLabel("Image3")), mainLabel("Label13")->text().toStdString(),
                          action("sson")->isChecked(), action("ssoff")->isChecked(), form3.isVisible(),
                          shown(control<QListWidget>(form, "List5")));
    };
    const auto state = [&] {
        const fh::ControlPanel& p = simulation.panel();
        return std::tuple(p.greenLight, p.redLight, p.switchCaption, p.simOnChecked, p.simOffChecked,
                          simulation.greenhouse().shown, session.codeView().shown(program));
    };
    action("sson")->trigger();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"no program present!"});
    EXPECT_FALSE(simulation.simrun());
    EXPECT_EQ(look(), state()) << "switched off again after an empty program";

    session.open(fh::CommandLists{{{}, {"L,06:00:00,1,ON", "L,08:00:00,2,ON"}, {}}});
    press(Qt::Key_F5);
    ASSERT_TRUE(simulation.simrun());
    EXPECT_EQ(look(), state());
    EXPECT_EQ(control<QLineEdit>(form3, "Text1")->text().toStdString(), program.line(1));
    EXPECT_EQ(control<QListWidget>(form, "List5")->currentRow(), 1);

    press(Qt::SHIFT | Qt::Key_F5);
    EXPECT_FALSE(simulation.simrun());
    EXPECT_EQ(look(), state());
}

// Fault mended: the mark stayed after SimOFF and came back with new code, on whatever
// line then had its index.
TEST_F(SimulationGuiTest, SimOffLeavesNoLineMarkedInTheCode)
{
    fh::doubles::AllDevices devices;
    fh::ChartControls charts{form, session, devices.devices()};
    // Sorted, the T line is pending at 07:00; combined only, its index holds the L line.
    session.open(fh::CommandLists{{{"T,09:00:00,70,80"}, {"L,06:00:00,1,ON"}, {}}});
    auto* list5 = control<QListWidget>(form, "List5");
    const std::pair<const char*, std::function<void()>> afterwards[] = {
        {"Command3", [&] { QTest::mouseClick(control<QPushButton>(form, "Command3"), Qt::LeftButton); }},
        {"Command4", [&] { QTest::mouseClick(control<QPushButton>(form, "Command4"), Qt::LeftButton); }},
        {"Command5", [&] { QTest::mouseClick(control<QPushButton>(form, "Command5"), Qt::LeftButton); }},
        {"a chart", [&] { action("pgh")->trigger(); }},
    };
    for (const auto& [what, act] : afterwards) {
        SCOPED_TRACE(what);
        action("sson")->trigger();
        ASSERT_EQ(list5->currentRow(), 1);
        action("ssoff")->trigger();
        EXPECT_TRUE(list5->selectedItems().isEmpty());
        act();
        EXPECT_TRUE(list5->selectedItems().isEmpty());
        EXPECT_EQ(list5->currentRow(), -1);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// Switched on at 07:00, a lamp the program lit at 06:00 is lit at once, unless unticked.
TEST_F(SimulationGuiTest, SimOnStartsFromTheProgramsStateWhileTicked)
{
    session.open(fh::CommandLists{{{}, {"L,06:00:00,4,ON"}, {}}});
    // Unticked first: SimON as written keeps the lamps as the last run left them.
    for (const bool ticked : {false, true}) {
        action("sfp")->setChecked(ticked);
        action("sson")->trigger();
        EXPECT_EQ(shown(control<QLabel>(form3, "Image1_3")), ticked) << ticked;
        action("ssoff")->trigger();
    }
}

// The preview row runs the one engine on a simulated clock; time moves only through
// the fake wall timer and the fake clock.
TEST_F(SimulationGuiTest, PreviewRowRunsTheDayOnASimulatedClock)
{
    session.open(fh::CommandLists{{{}, {"L,06:00:00,4,OFF", "L,11:00:00,4,ON"}, {}}});
    controls.startUp();
    // Before the run, so it only sets where Play starts.
    typeStart("7");
    action("sson")->trigger();
    const auto click = [&](const char* name) { QTest::mouseClick(control<QAbstractButton>(form3, name), Qt::LeftButton); };
    control<QComboBox>(form3, "PreviewSpeed")->setCurrentIndex(3);
    const struct {
        const char* why;
        std::function<void()> act;
        const char *clock, *play;
        bool lamp4;
    } steps[] = {
        {"live, a second beeps", [&] { clock.advance(); }, "07:00:01", "Play", false},
        {"at 3600x from 07:00, the line four hours ahead after four seconds",
         [&] { click("PreviewPlay"); wall.advance(4000); }, "11:00:00 preview", "Pause", true},
        {"Pause freezes the simulated time", [&] { click("PreviewPlay"); wall.advance(5000); }, "11:00:00 preview",
         "Play", true},
        {"Live: the wall clock, and the program's state then", [&] { click("PreviewLive"); }, "07:00:01", "Play",
         false},
        {"Next line jumps to the line, which takes effect", [&] { click("PreviewNext"); }, "11:00:00 preview", "Play",
         true},
        {"SimOFF ends the preview",
         [&] { click("PreviewPlay"); action("ssoff")->trigger(); action("sson")->trigger(); }, "07:00:01", "Play",
         false},
        {"Mute silences the live beep", [&] { click("PreviewMute"); clock.advance(); }, "07:00:02", "Play", false},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(mainLabel("Label6")->text().toStdString(), s.clock) << s.why;
        // The simulation window shows the running time too, as the main window may be out of sight.
        EXPECT_EQ(control<QLabel>(form3, "PreviewTime")->text().toStdString(),
                  std::string(s.clock).substr(0, 8)) << s.why;
        EXPECT_EQ(control<QPushButton>(form3, "PreviewPlay")->text().toStdString(), s.play) << s.why;
        EXPECT_EQ(shown(control<QLabel>(form3, "Image1_3")), s.lamp4) << s.why;
        EXPECT_EQ(beeper.count, 1) << s.why << ": the first second only";
    }
}

TEST_F(SimulationGuiTest, PreviewStartTakesATypedTimeAndTheRowNamesThePulsedValves)
{
    session.open(fh::CommandLists{{{}, {}, {"W,06:00:00,1/2,P1,5S,595S", "W,09:00:00,1/2,OFF"}}});
    // Each jump starts from the program's state at its second.
    action("sfp")->setChecked(true);
    controls.startUp();
    action("sson")->trigger();
    auto* start = control<QLineEdit>(form3, "PreviewStart");
    auto* pulsing = control<QLabel>(form3, "PulsingLabel");
    EXPECT_EQ(pulsing->text().toStdString(), "Pulsing: valves 1, 2 by P1, 5 s on, 595 s off") << "live at 07:00";
    const struct {
        const char* typed;
        const char *clock, *start, *pulsing;
    } steps[] = {
        {"9:30", "09:30:00 preview", "09:30:00", ""},
        {"8.30", "09:30:00 preview", "09:30:00", ""},
        {"06:30:00", "06:30:00 preview", "06:30:00", "Pulsing: valves 1, 2 by P1, 5 s on, 595 s off"},
        {"5", "05:00:00 preview", "05:00:00", ""},
    };
    for (const auto& s : steps) {
        typeStart(s.typed);
        EXPECT_EQ(mainLabel("Label6")->text().toStdString(), s.clock) << s.typed;
        EXPECT_EQ(start->text().toStdString(), s.start) << s.typed;
        EXPECT_EQ(pulsing->text().toStdString(), s.pulsing) << s.typed;
    }
}

// An idle program does only what each second needs: the clock's label, not the
// main window's lists, palettes and code, until a line acts.
TEST_F(SimulationGuiTest, ASecondRendersTheMainWindowOnlyWhenALineActs)
{
    session.open(fh::CommandLists{{{}, {"L,07:00:05,1,ON", "L,08:00:00,1,OFF"}, {}}});
    controls.startUp();
    action("sson")->trigger();
    int rendered = 0;
    QObject::connect(&form, &fh::Form1::rendered, [&] { ++rendered; });
    for (int second = 1; second <= 4; ++second)
        clock.advance();
    EXPECT_EQ(mainLabel("Label6")->text().toStdString(), "07:00:04");
    EXPECT_EQ(rendered, 0);
    clock.advance();
    clock.advance();
    EXPECT_EQ(rendered, 1) << "the 07:00:05 line acted: the code's mark moved to the next line";
    EXPECT_EQ(control<QListWidget>(form, "List5")->currentRow(), 1);
}

TEST_F(SimulationGuiTest, CloseBoxStopsAndKeepsTheWindowAsItWas)
{
    session.open(fh::CommandLists{{{}, {"L,06:00:00,4,ON"}, {}}});
    clock.set(6 * 3600 - 1);
    action("sson")->trigger();
    clock.set(6 * 3600);
    simulation.tick();
    ASSERT_TRUE(simulation.greenhouse().lamps[3]);
    controls.render();
    EXPECT_FALSE(form3.close());
    EXPECT_FALSE(simulation.simrun());
    EXPECT_FALSE(form3.isVisible());
    EXPECT_TRUE(action("ssoff")->isChecked());

    action("sson")->trigger();
    EXPECT_TRUE(shown(control<QLabel>(form3, "Image1_3")));
    EXPECT_FALSE(shown(control<QLabel>(form3, "Image1_2")));
}

TEST_F(SimulationGuiTest, FanSwitchAndForceButtonChangeOnlyTheirLook)
{
    auto* check13 = control<QCheckBox>(form, "Check13");
    QTest::mouseClick(check13, Qt::LeftButton);
    ASSERT_TRUE(simulation.panel().fanTicked);
    EXPECT_TRUE(check13->isChecked());
    EXPECT_EQ(check13->text().toStdString(), simulation.panel().fanCaption);
    QTest::mousePress(check13, Qt::LeftButton);
    QTest::mouseRelease(check13, Qt::LeftButton, {}, QPoint(check13->width() + 20, 5));
    EXPECT_TRUE(check13->isChecked()) << "a press released off the switch is no click";

    auto* command2 = control<QPushButton>(form, "Command2");
    QTest::mouseClick(command2, Qt::LeftButton);
    ASSERT_TRUE(simulation.panel().warningSign);
    EXPECT_EQ(command2->text().toStdString(), simulation.panel().forceCaption);
    EXPECT_TRUE(shown(mainLabel("Image1")));
    EXPECT_FALSE(form3.isVisible());
}

// Each lamp, tap, set-point and timer tells, when the mouse rests on it, the line
// behind its value at the simulation's second, as `why` reads the program the run
// plays: on each day of a program that runs two days before it repeats (the second
// 10:00 line waits a day), after the lists were changed without a compile, and after
// a compile under the run.
TEST_F(SimulationGuiTest, TooltipsGiveTheLineBehindEachItemAtTheSimulationsSecond)
{
    fh::CommandLists lists{{{"T,05:00:00,70,80"},
                            {"L,06:00:00,1,ON", "L,10:00:00,3,ON", "L,10:00:00,3,OFF", "L,20:00:00,1,OFF"},
                            {"W,08:00:00,1/2,P1,5S,595S", "W,09:00:00,2,OFF"}}};
    session.open(lists);
    // First in its list, a line that agrees with the run renumbers the others.
    lists[1].insert(lists[1].begin(), "L,04:00:00,6,OFF");
    action("sfp")->setChecked(true);
    controls.startUp();
    action("sson")->trigger();
    ASSERT_TRUE(simulation.simrun());
    ASSERT_EQ(fh::DayReasons(program, program.source()).days(), 2u);
    const auto expected = [&](std::size_t day, int second, const std::string& item) {
        const fh::DayReasons reasons(program, program.source());
        const int named = fh::dayItemNamed(item).value();
        return fh::itemReasonText(reasons, reasons.why(day, second, named, session.display()));
    };
    const char* items[] = {"light 1", "light 3", "light 6", "valve 1", "valve 2", "low", "high", "timer 1"};
    const struct {
        const char* what;
        std::function<void()> act;
        int second;
        std::size_t day;
    } steps[] = {
        {"switched on at 07:00 with the program's state", [] {}, 7 * 3600, 0},
        {"valve 1 pulsed", [&] { clock.set(8 * 3600 + 3); }, 8 * 3600 + 3, 0},
        {"the first 10:00 line acted", [&] { clock.set(12 * 3600); }, 12 * 3600, 0},
        {"late on day 1", [&] { clock.set(23 * 3600); }, 23 * 3600, 0},
        {"day 2 morning", [&] { clock.set(9 * 3600); }, 9 * 3600, 1},
        {"the second 10:00 line acted", [&] { clock.set(12 * 3600); }, 12 * 3600, 1},
        {"after the lists changed, uncompiled", [&] { session.change(lists); }, 12 * 3600, 1},
        {"compiled again, the next second", [&] { session.compile(); clock.advance(); }, 12 * 3600 + 1, 1},
        {"day 1 again", [&] { clock.set(21 * 3600); clock.set(7 * 3600); }, 7 * 3600, 0},
    };
    for (const auto& step : steps) {
        step.act();
        for (const char* item : items)
            EXPECT_EQ(tooltipAt(placeOf(item)), expected(step.day, step.second, item)) << step.what << ", " << item;
    }
    EXPECT_NE(expected(0, 12 * 3600, "light 3"), expected(1, 12 * 3600, "light 3")) << "the days differ";
}

// Switched on without the program's state, the lamp shows what the last run left,
// and no line of the program is behind that.
TEST_F(SimulationGuiTest, TooltipSaysWhenTheRunShowsWhatTheProgramDoesNot)
{
    session.open(fh::CommandLists{{{}, {"L,06:00:00,1,ON"}, {}}});
    action("sfp")->setChecked(false);
    controls.startUp();
    action("sson")->trigger();
    EXPECT_EQ(tooltipAt(placeOf("light 1")),
              "light 1  off: not by this program, which has it on here");
    clock.set(6 * 3600);
    EXPECT_EQ(tooltipAt(placeOf("light 1")), "light 1  by L,06:00:00,1,ON (lights line 1)");
}

TEST_F(SimulationGuiTest, StartUpFillsTheTimerListOnceAndTicksTheClock)
{
    // Until then the clock and the pending line show their captions.
    EXPECT_EQ(mainLabel("Label6")->text().toStdString(), "Label6");
    EXPECT_EQ(control<QLineEdit>(form3, "Text1")->text().toStdString(), "Text1");
    for (int i = 0; i < 3; ++i)
        controls.startUp();
    auto* list4 = control<QListWidget>(form3, "List4");
    EXPECT_EQ(list4->count(), fh::timerCount) << "a row per timer, after three start-ups";
    clock.set(9 * 3600 + 5);
    EXPECT_EQ(mainLabel("Label6")->text().toStdString(), "09:00:05") << "the clock woke the window";
}

} // namespace
