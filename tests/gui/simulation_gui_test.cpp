#include "compiler/program.h"
#include "gui/chartcontrols.h"
#include "gui/compilercontrols.h"
#include "session/session.h"
#include "gui/form1.h"
#include "platform/doubles/doubles.h"
#include "gui/form3.h"
#include "gui/simcontrols.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include "support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using fh::test::control;

class SimulationGuiTest : public testing::Test {
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

    fh::doubles::RecordingMessageBox messages;
    fh::doubles::FakeClock clock{7 * 3600};
    fh::doubles::FakeWallTimer wall;
    fh::doubles::CountingBeeper beeper;
    fh::PreviewClock previewClock{clock, wall};
    fh::PreviewBeeper previewBeeper{beeper, previewClock};
    fh::Session session{messages, clock};
    const fh::Program& program = session.program();
    fh::Form1 form{session, messages};
    fh::CompilerControls compiler{form, session};
    fh::Simulation simulation{program, session.codeView(),
                              [this](const fh::Clock& at) { return session.compile(at); }, previewClock,
                              previewBeeper, messages};
    fh::Preview preview{simulation, previewClock, previewBeeper};
    fh::SimulationControls controls{form, simulation, preview, session.display()};
    fh::Form3& form3 = controls.form3();
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
    EXPECT_EQ(control<QLineEdit>(form3, "Text1")->text().toStdString(), program.prog()[1]);
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
