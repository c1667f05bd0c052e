#include "simulation/simulation.h"

#include "compiler/program.h"
#include "language/editor.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <functional>

namespace fh {
namespace {

using doubles::CountingBeeper;
using doubles::FakeClock;

constexpr int at(int h, int m, int s) { return h * 3600 + m * 60 + s; }

// Runs a callback while the box is "open", as the event loop of a modal box would.
class ModalMessages : public doubles::RecordingMessageBox {
public:
    void show(const std::string& text) override
    {
        RecordingMessageBox::show(text);
        if (whileOpen)
            whileOpen();
    }
    std::function<void()> whileOpen;
};

class SimulationTest : public ::testing::Test {
protected:
    void program(std::vector<std::string> t, std::vector<std::string> l, std::vector<std::string> w)
    {
        editor.replaceLists({std::move(t), std::move(l), std::move(w)});
    }
    // Timer1 has been ticking before the user chooses "SimON".
    void switchOnAt(int seconds)
    {
        clock.set(seconds);
        sim.tick();
        sim.switchOn();
    }
    void runSeconds(int count)
    {
        for (int i = 0; i < count; ++i) {
            clock.advance();
            sim.tick();
        }
    }
    void runTo(int seconds)
    {
        do {
            clock.advance();
            sim.tick();
        } while (clock.secondsOfDay() != seconds);
    }
    std::array<bool, 6> lamps(std::initializer_list<int> on)
    {
        std::array<bool, 6> out{};
        for (int n : on)
            out[static_cast<std::size_t>(n - 1)] = true;
        return out;
    }

    FakeClock clock;
    CountingBeeper beeper;
    ModalMessages messages;
    Editor editor{messages};
    Program prog;
    Simulation sim{prog, editor, clock, beeper, messages};
};

TEST_F(SimulationTest, SwitchingOnBetweenLinesWaitsForTheNextLine)
{
    program({}, {"L,08:00:00,1,ON", "L,10:15:30,2,ON", "L,12:00:00,3,ON"}, {});
    switchOnAt(at(10, 15, 30));
    EXPECT_EQ(sim.simstep(), 2);
    EXPECT_EQ(prog.highlighted(), 2);
    EXPECT_EQ(sim.greenhouse().pendingLine, prog.prog()[2]);
    EXPECT_EQ(sim.greenhouse().lamps, lamps({}));

    runTo(at(11, 59, 59));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({}));
    runSeconds(1);
    EXPECT_EQ(sim.greenhouse().lamps, lamps({3}));
    EXPECT_EQ(sim.simstep(), 0) << "after the last line comes line 0";
    runSeconds(1);
    EXPECT_EQ(sim.greenhouse().pendingLine, prog.prog()[0]);
    EXPECT_EQ(prog.highlighted(), 0);

    runTo(at(8, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 3}));
    EXPECT_EQ(sim.simstep(), 1);
}

TEST_F(SimulationTest, SecondLineOfTheSameTimeWaitsADay)
{
    program({}, {"L,09:00:00,1,ON", "L,09:00:00,2,ON", "L,10:00:00,3,ON"}, {});
    switchOnAt(at(8, 59, 59));
    runTo(at(10, 0, 0));
    const auto firstDay = sim.greenhouse().lamps;
    EXPECT_NE(firstDay[0], firstDay[1]) << "exactly one of the two same-time lines";
    EXPECT_FALSE(firstDay[2]) << "the later line waits behind the blocked one";

    runTo(at(9, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 2}));
    runTo(at(10, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 2, 3}));
}

TEST_F(SimulationTest, EveryLineEarlierStartsAtLineZeroOnTheNextDay)
{
    program({"T,07:00:00,70,76"}, {"L,06:00:00,4,ON"}, {});
    switchOnAt(at(23, 0, 0));
    EXPECT_EQ(sim.simstep(), 0);
    runTo(at(6, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({4}));
    EXPECT_EQ(sim.greenhouse().highSetPoint, "78");
    runTo(at(7, 0, 0));
    EXPECT_EQ(sim.greenhouse().lowSetPoint, "70");
    EXPECT_EQ(sim.greenhouse().highSetPoint, "76");
    EXPECT_EQ(sim.simstep(), 0);
}

TEST_F(SimulationTest, LightLineChangesOnlyTheNamedLamps)
{
    program({}, {"L,06:00:00,1/2/5,ON", "L,07:00:00,2/4,ON", "L,08:00:00,1/4/6,OFF"}, {});
    switchOnAt(at(5, 0, 0));
    runTo(at(6, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 2, 5}));
    runTo(at(7, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 2, 4, 5}));
    runTo(at(8, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({2, 5}));
}

TEST_F(SimulationTest, SetPointCaptionsAreThePlainLeadingValues)
{
    program({"T,04:00:33,78,84", "T,05:00:00,78F,100", "T,06:00:00,70.5,-0", "T,07:00:00,1E20,1E-5"}, {}, {});
    switchOnAt(at(4, 0, 0));
    runTo(at(4, 0, 33));
    EXPECT_EQ(sim.greenhouse().lowSetPoint, "78");
    EXPECT_EQ(sim.greenhouse().highSetPoint, "84");
    runTo(at(5, 0, 0));
    EXPECT_EQ(sim.greenhouse().lowSetPoint, "78");
    EXPECT_EQ(sim.greenhouse().highSetPoint, "100");
    runTo(at(6, 0, 0));
    EXPECT_EQ(sim.greenhouse().lowSetPoint, "70.5");
    EXPECT_EQ(sim.greenhouse().highSetPoint, "0");
    // Fault mended: a plain number, not "1e+20" and "1e-05".
    runTo(at(7, 0, 0));
    EXPECT_EQ(sim.greenhouse().lowSetPoint, "100000000000000000000");
    EXPECT_EQ(sim.greenhouse().highSetPoint, "0.00001");
}

TEST_F(SimulationTest, PulsedValvesFollowTheirTimerFromTheNextSecond)
{
    sim.startUp();
    program({}, {}, {"W,12:00:00,1/3/5,P1,3S,10M"});
    switchOnAt(at(11, 59, 59));
    runTo(at(12, 0, 0));
    EXPECT_EQ(sim.valvestat()[1], 11);
    EXPECT_EQ(sim.valvestat()[2], -1);
    EXPECT_EQ(sim.valvestat()[3], 11);
    EXPECT_EQ(sim.valvestat()[5], 11);
    EXPECT_EQ(sim.timers()[0].on, 3);
    EXPECT_EQ(sim.timers()[0].off, 600);
    EXPECT_EQ(sim.timers()[0].phase, 0);

    int shownSeconds = 0;
    for (int i = 0; i < 2 * 603; ++i) {
        runSeconds(1);
        const bool on = sim.simsecs() % 603 < 3;
        shownSeconds += on;
        ASSERT_EQ(sim.greenhouse().taps, (std::array<bool, 6>{on, false, on, false, on, false})) << sim.simsecs();
    }
    EXPECT_EQ(shownSeconds, 6);
}

TEST_F(SimulationTest, StartValuesStaggerTheTimersByFourSeconds)
{
    sim.startUp();
    for (int i = 0; i < 100; ++i) {
        sim.blinky();
        for (int n = 1; n <= 6; ++n)
            ASSERT_EQ(sim.greenhouse().timerOn[static_cast<std::size_t>(n - 1)], (sim.simsecs() + 4 * n) % 31 == 0)
                << "timer " << n << " at " << sim.simsecs();
    }
}

TEST_F(SimulationTest, StartUpHappensOnce)
{
    sim.startUp();
    program({}, {}, {"W,12:00:00,1,P2,5S,5S"});
    switchOnAt(at(11, 59, 59));
    runSeconds(1);
    ASSERT_EQ(sim.timers()[1].on, 5);
    sim.startUp();
    EXPECT_EQ(sim.timers()[1].on, 5);
    EXPECT_EQ(sim.timers()[5].phase, 24);
}

TEST_F(SimulationTest, PulseLineWithoutOnTimeKeepsTheTimer)
{
    sim.startUp();
    program({}, {}, {"W,12:00:00,2,P3,0S,10M"});
    switchOnAt(at(11, 59, 59));
    runSeconds(1);
    EXPECT_EQ(sim.valvestat()[2], 13);
    EXPECT_EQ(sim.timers()[2].on, 1);
    EXPECT_EQ(sim.timers()[2].off, 30);
    EXPECT_EQ(sim.timers()[2].phase, 12);
}

TEST_F(SimulationTest, SteadyValvesShowAndHideTheirTaps)
{
    program({}, {}, {"W,06:00:00,2/6,ON", "W,07:00:00,6,OFF"});
    switchOnAt(at(5, 59, 59));
    runSeconds(1);
    EXPECT_EQ(sim.greenhouse().taps, lamps({2, 6}));
    EXPECT_EQ(sim.valvestat()[6], 1);
    runTo(at(7, 0, 0));
    EXPECT_EQ(sim.greenhouse().taps, lamps({2}));
    EXPECT_EQ(sim.valvestat()[6], 0);
}

struct PulseCase {
    PulseTimer timer;
    int simsecsBefore; // blinky adds one first
    bool on;
    const char* why;
};

class PulseArithmetic : public SimulationTest, public ::testing::WithParamInterface<PulseCase> {};

TEST_P(PulseArithmetic, SelectsTheTimerItem)
{
    const PulseCase& c = GetParam();
    EXPECT_EQ(inOnPhase(c.timer, c.simsecsBefore + 1), c.on) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Blinky, PulseArithmetic,
    ::testing::Values(
        PulseCase{{1, 30, 4}, 26, true, "27 + 4 is a multiple of 31"},
        PulseCase{{1, 30, 4}, 27, false, "28 + 4 is not"},
        PulseCase{{1, 1.5, 0}, 1, true, "period 2.5 rounds to 2, not 3: 2 mod 2 = 0"},
        PulseCase{{1, 2, 0.5}, 1, false, "2 + 0.5 rounds to 2, not 3"},
        PulseCase{{1, 2, 0.5}, 4, true, "5 + 0.5 rounds to 6, the sum rounded, not its parts"},
        PulseCase{{1, 2, -5}, 0, true, "-4 mod 3 is -1 (sign of the dividend), below on"},
        PulseCase{{0.3, 0, 0}, 0, true, "a period below 1 counts as 1"},
        PulseCase{{0.3, -7, 0}, 0, true, "so does a negative one"},
        // Fault mended: rounded operands were cut at 1e18, which changed the
        // remainder of any larger time.
        PulseCase{{1, 1e20, 1e19}, 5, false, "1e19 + 6 mod 1e20 + 1 is far above on, not 0"},
        PulseCase{{1, 1e20, -1e19}, 5, true, "-1e19 + 6 mod 1e20 + 1 is below on"},
        PulseCase{{1e308, 1e308, 1e308}, 5, false,
                  "a period beyond the largest double leaves the dividend, 1e308 + 6, which is not below on"},
        PulseCase{{1e308, 1e308, 0}, 5, true, "6 is below on: huge times neither overflow nor divide by zero"},
        PulseCase{{-1e308, -1e308, -1e308}, 5, false, "nor do huge negative ones"}));

TEST_F(SimulationTest, SimsecsTakes86400AndThenWrapsToZero)
{
    for (int s = 1; s <= 86400; ++s)
        sim.blinky();
    EXPECT_EQ(sim.simsecs(), 86400);
    sim.blinky();
    EXPECT_EQ(sim.simsecs(), 0);
    sim.blinky();
    EXPECT_EQ(sim.simsecs(), 1);
}

TEST_F(SimulationTest, EmptyProgramSwitchesOffAfterTheMessage)
{
    int beepsWhileOpen = -1;
    messages.whileOpen = [&] {
        EXPECT_TRUE(sim.simrun());
        EXPECT_TRUE(sim.greenhouse().shown);
        // Timer1 keeps ticking while the box is open; no step may run.
        for (int i = 0; i < 3; ++i) {
            clock.advance();
            sim.tick();
        }
        beepsWhileOpen = beeper.count;
    };
    switchOnAt(at(9, 0, 0));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"no program present!"});
    EXPECT_EQ(beepsWhileOpen, 0);
    EXPECT_EQ(sim.simsecs(), 0);
    EXPECT_EQ(sim.panel().clock, "09:00:03");
    EXPECT_FALSE(sim.simrun());
    EXPECT_EQ(sim.simready(), 0);
    EXPECT_FALSE(sim.greenhouse().shown);
    EXPECT_EQ(sim.panel().switchCaption, "SIM  Off");
}

TEST_F(SimulationTest, TooLongProgramStopsWithoutASecondMessage)
{
    program({}, std::vector<std::string>(102, "L,06:00:00,1,ON"), {});
    // Fault mended: ticks while the compile's refusal was open set up again and
    // opened a box inside the box, one more every second.
    messages.whileOpen = [&] {
        messages.whileOpen = nullptr;
        for (int i = 0; i < 3; ++i) {
            clock.advance();
            sim.tick();
        }
    };
    switchOnAt(at(5, 0, 0));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], tooManyCommands);
    EXPECT_EQ(beeper.count, 0);
    EXPECT_EQ(sim.simsecs(), 0);
    EXPECT_FALSE(sim.simrun());
}

TEST_F(SimulationTest, HourTwentyFourActsAtHourZero)
{
    program({}, {"L,24:00:05,1,ON", "L,10:00:00,2,ON"}, {});
    switchOnAt(at(23, 59, 59));
    runTo(at(0, 0, 5));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1}));
    runTo(at(10, 0, 0));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1, 2}));
}

TEST_F(SimulationTest, PendingLineBeyondTheProgramBecomesLineZero)
{
    // A longer program compiled before leaves nextstep at 7; syncup finds no later line.
    program({}, std::vector<std::string>(8, "L,01:00:00,1,ON"), {});
    prog.compile(editor.lists(), messages, FakeClock(at(0, 30, 0)));
    ASSERT_EQ(prog.nextstep(), 0);
    std::vector<std::string> longer(7, "L,00:00:00,1,ON");
    longer.push_back("L,09:00:00,1,ON");
    prog.compile(CommandLists{{{}, longer, {}}}, messages, FakeClock(at(8, 0, 0)));
    ASSERT_EQ(prog.nextstep(), 7);
    program({}, {"L,06:00:00,1,ON", "L,07:00:00,2,ON"}, {});
    switchOnAt(at(8, 0, 0));
    EXPECT_EQ(sim.simstep(), 0);
    EXPECT_EQ(prog.highlighted(), 0);

    // The program shrinks under the running simulation, waiting at line 7.
    program({}, longer, {});
    prog.compile(editor.lists(), messages, FakeClock(at(8, 0, 0)));
    switchOnAt(at(8, 0, 0));
    ASSERT_EQ(sim.simstep(), 7);
    program({}, {"L,06:00:00,1,ON", "L,07:00:00,2,ON"}, {});
    prog.combine(editor.lists(), messages);
    runSeconds(1);
    EXPECT_EQ(sim.simstep(), 0);
    EXPECT_EQ(sim.greenhouse().pendingLine, prog.prog()[0]);
}

TEST_F(SimulationTest, MissedSecondsAreMadeUpWithoutBeeps)
{
    sim.startUp();
    program({}, {"L,10:00:05,1,ON"}, {});
    switchOnAt(at(10, 0, 0));
    clock.set(at(10, 0, 9));
    sim.tick();
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1})) << "the line of a skipped second still acts";
    EXPECT_EQ(sim.simsecs(), 9);
    EXPECT_EQ(beeper.count, 1);
    EXPECT_EQ(sim.panel().clock, "10:00:09");
}

TEST_F(SimulationTest, ClockSetBackGoesOnFromItsNewValue)
{
    program({}, {"L,10:00:05,1,ON"}, {});
    switchOnAt(at(10, 0, 9));
    clock.set(at(9, 0, 0));
    sim.tick();
    EXPECT_EQ(sim.simsecs(), 1);
    EXPECT_EQ(beeper.count, 1);
    runTo(at(10, 0, 5));
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1}));
}

TEST_F(SimulationTest, ClockLabelEverySecondBeepOnlyWhileRunning)
{
    program({}, {"L,10:00:05,1,ON"}, {});
    clock.set(at(9, 59, 0));
    EXPECT_TRUE(sim.tick());
    EXPECT_FALSE(sim.tick()) << "same second";
    runSeconds(10);
    EXPECT_EQ(sim.panel().clock, "09:59:10");
    EXPECT_EQ(beeper.count, 0);
    EXPECT_EQ(sim.simsecs(), 0);
    sim.switchOn();
    runSeconds(10);
    EXPECT_EQ(beeper.count, 10);
    EXPECT_EQ(sim.simsecs(), 10);
}

TEST_F(SimulationTest, SwitchesShowTheirStateAndSurviveARestart)
{
    sim.startUp();
    program({}, {"L,05:59:59,1,ON"}, {"W,06:00:00,3,P2,2S,3S"});
    switchOnAt(at(5, 59, 58));
    EXPECT_TRUE(sim.panel().greenLight);
    EXPECT_FALSE(sim.panel().redLight);
    EXPECT_EQ(sim.panel().switchCaption, "SIM  On");
    EXPECT_TRUE(sim.panel().simOnChecked);
    EXPECT_FALSE(sim.panel().simOffChecked);
    EXPECT_TRUE(sim.greenhouse().shown);
    EXPECT_TRUE(prog.codeShown());
    runTo(at(6, 0, 1));
    ASSERT_EQ(sim.valvestat()[3], 12);

    sim.switchOff();
    EXPECT_FALSE(sim.panel().greenLight);
    EXPECT_TRUE(sim.panel().redLight);
    EXPECT_EQ(sim.panel().switchCaption, "SIM  Off");
    EXPECT_FALSE(sim.panel().simOnChecked);
    EXPECT_TRUE(sim.panel().simOffChecked);
    EXPECT_FALSE(sim.greenhouse().shown);
    EXPECT_FALSE(prog.codeShown());
    const int simsecs = sim.simsecs();
    runSeconds(5);
    EXPECT_EQ(sim.simsecs(), simsecs) << "kept while off";

    sim.switchOn();
    EXPECT_EQ(sim.greenhouse().lamps, lamps({1})) << "a set-up does not clear the display";
    EXPECT_EQ(sim.valvestat()[3], -1);
    const bool tap = sim.greenhouse().taps[2];
    runSeconds(10);
    EXPECT_EQ(sim.greenhouse().taps[2], tap) << "the valve no longer follows its timer";
}

TEST_F(SimulationTest, FanSwitchFlipsOncePerCompleteClick)
{
    sim.fanReleased(true);
    EXPECT_FALSE(sim.panel().fanTicked) << "a release without a press is no click";
    // Fault mended: a press on the switch released elsewhere flipped it.
    sim.fanPressed();
    sim.fanReleased(false);
    sim.fanReleased(true);
    EXPECT_FALSE(sim.panel().fanTicked) << "a release elsewhere is no click, nor is a second release";
    const std::pair<bool, const char*> expected[] = {{true, "On"}, {false, "Off"}, {true, "On"}};
    for (const auto& [ticked, caption] : expected) {
        sim.fanPressed();
        sim.fanReleased(true);
        EXPECT_EQ(sim.panel().fanTicked, ticked);
        EXPECT_EQ(sim.panel().fanCaption, caption);
    }
}

TEST_F(SimulationTest, ForceButtonAlternatesWithItsWarningSign)
{
    const std::pair<const char*, bool> expected[] = {{"Unforce", true}, {"Force Lights", false}, {"Unforce", true}};
    for (const auto& [caption, sign] : expected) {
        sim.toggleForceLights();
        EXPECT_EQ(sim.panel().forceCaption, caption);
        EXPECT_EQ(sim.panel().warningSign, sign);
    }
    EXPECT_EQ(sim.greenhouse().lamps, lamps({}));
}

TEST_F(SimulationTest, ACompileDuringTheRunFindsThePendingLineAgain)
{
    struct Case {
        const char* why;
        std::vector<std::string> added; // lines typed while the simulation runs, then compiled
        bool light3;                    // at 14:00
    };
    const Case cases[] = {
        {"an earlier line takes the pending line's index", {"L,09:00:00,3,ON"}, false},
        {"a line due in a second comes first", {"L,12:00:01,3,ON"}, true},
        {"lines before and after", {"L,01:00:00,3,ON", "L,23:00:00,3,OFF", "L,13:00:00,3,ON"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Program compiled;
        Editor source(messages);
        Simulation run(compiled, source, clock, beeper, messages);
        source.replaceLists(CommandLists{{{}, {"L,08:00:00,1,ON", "L,14:00:00,2,ON"}, {}}});
        clock.set(at(12, 0, 0));
        run.tick();
        run.switchOn();
        ASSERT_EQ(run.simstep(), 1);
        for (const auto& line : c.added)
            source.pumpcom(line);
        compiled.compile(source.lists(), messages, FakeClock(at(12, 0, 0))); // a chart, say
        for (int s = at(12, 0, 1); s <= at(14, 0, 0); ++s) {
            clock.set(s);
            run.tick();
        }
        EXPECT_TRUE(run.greenhouse().lamps[1]) << "the 14:00 line still takes effect";
        EXPECT_EQ(run.greenhouse().lamps[2], c.light3);
    }
}

} // namespace
} // namespace fh
