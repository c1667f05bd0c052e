#include "simulation/preview.h"

#include "compiler/day.h"
#include "compiler/program.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"
#include "simulation/simulation.h"
#include "random_programs.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <tuple>
#include <string>
#include <vector>

namespace fh {
namespace {

TEST(PreviewClock, WakesForEverySimulatedSecondInBatches)
{
    const struct { int speed; long long wall; int seconds, batches; } rows[] = {
        {1, 3000, 3, 3},
        {60, 1000, 60, 20}, // a second every 16.7 ms, woken three at a time
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.speed);
        doubles::FakeClock live(5);
        doubles::FakeWallTimer wall;
        PreviewClock clock(live, wall);
        std::vector<int> seen;
        std::function<void()> sleeper = [&] {
            seen.push_back(clock.secondsOfDay());
            clock.wakeAtNextSecond(sleeper);
        };
        clock.wakeAtNextSecond(sleeper);
        int batches = 0;
        clock.afterEachBatch([&] { ++batches; });
        clock.setSpeed(r.speed);
        clock.set(secondsPerDay - 1);
        clock.play();
        live.advance();
        EXPECT_TRUE(seen.empty()) << "the wall clock no longer wakes it";
        wall.advance(r.wall);
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(r.seconds));
        for (std::size_t i = 0; i < seen.size(); ++i)
            ASSERT_EQ(seen[i], static_cast<int>(i)) << "past midnight, not one skipped";
        EXPECT_EQ(batches, r.batches);

        clock.pause();
        wall.advance(5000);
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(r.seconds)) << "paused";
        clock.goLive();
        EXPECT_EQ(clock.secondsOfDay(), 6);
        live.advance();
        EXPECT_EQ(seen.back(), 7) << "the wall clock wakes it again";
    }
}

struct Rig {
    Rig(CommandLists source, int seconds) : live(seconds)
    {
        session.open(std::move(source));
        sim.startUp();
        preview.keepTime([this] { ++renders; });
        sim.switchOn();
    }
    doubles::FakeClock live;
    doubles::FakeWallTimer wall;
    doubles::CountingBeeper beeper;
    doubles::RecordingMessageBox messages;
    PreviewClock clock{live, wall};
    PreviewBeeper quiet{beeper, clock};
    Session session{messages, clock};
    const Editor& editor = session.editor();
    Simulation sim{session.program(), session.codeView(),
                   [this](const Clock& at) { return session.compile(at); }, clock, quiet, messages};
    Preview preview{sim, clock, quiet};
    int renders = 0;
};

// The engine ticks every simulated second, silently, and the window renders once a batch.
TEST(Preview, RunsTheEngineEverySecondAndRendersOnceABatch)
{
    Rig r({{{}, {"L,07:00:00,1,ON"}, {}}}, 6 * 3600);
    r.preview.setSpeed(3);
    r.preview.setStart(6 * 3600);
    r.preview.playOrPause();
    const int ticks = r.sim.simsecs();
    const int renders = r.renders;
    r.wall.advance(1000);
    EXPECT_EQ(r.sim.simsecs() - ticks, 3600);
    EXPECT_TRUE(r.sim.greenhouse().lamps[0]);
    EXPECT_EQ(r.renders - renders, 1000 / PreviewClock::batchMilliseconds);
    EXPECT_EQ(r.beeper.count, 0);
}

// Two lines of one second: Next line takes the second one next, not the first again.
TEST(Preview, NextLineWalksThroughLinesOfTheSameSecond)
{
    Rig r({{{}, {"L,09:00:00,1,ON", "L,09:00:00,2,ON", "L,10:00:00,3,ON"}, {}}}, 8 * 3600);
    r.sim.setPresetStart(false);
    const std::array<bool, outputCount> after[] = {{true}, {true, true}, {true, true, true}};
    for (const auto& lamps : after) {
        r.preview.nextLine();
        EXPECT_EQ(r.sim.greenhouse().lamps, lamps);
    }
    EXPECT_EQ(r.preview.clockCaption(), "10:00:00 preview");
}

TEST(Preview, StartTakesTheTimesOfTheCommandLanguage)
{
    const struct { const char* typed; std::optional<int> second; } rows[] = {
        {"6", 6 * 3600},          {"6:30", 6 * 3600 + 1800}, {"06:30:00", 6 * 3600 + 1800},
        {" 7 ", 7 * 3600},        {"23:59:59", secondsPerDay - 1}, {"24", 0},
        {"8.30", std::nullopt},   {"+8", std::nullopt},       {"25", std::nullopt},
        {"6:60", std::nullopt},   {"6:30:00:00", std::nullopt}, {"", std::nullopt},
        {"six", std::nullopt},    {"6,30", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(typedTime(row.typed), row.second) << '"' << row.typed << '"';
}

TEST(Preview, NamesThePulsedValvesWithTheirTimer)
{
    Rig r({{{}, {}, {"W,06:00:00,1/2,P1,5S,595S", "W,06:00:01,3,P2,1M,9M", "W,06:30:00,2,ON"}}}, 6 * 3600 - 1);
    r.sim.setPresetStart(false);
    const std::string firstOnly = "Pulsing: valves 1, 2 by P1, 5 s on, 595 s off";
    const std::string shown[] = {
        firstOnly,
        firstOnly + "; valve 3 by P2, 60 s on, 540 s off",
        "Pulsing: valve 1 by P1, 5 s on, 595 s off; valve 3 by P2, 60 s on, 540 s off",
    };
    EXPECT_EQ(r.preview.panel().pulsing, "");
    for (const std::string& pulsing : shown) {
        r.preview.nextLine();
        EXPECT_EQ(r.preview.panel().pulsing, pulsing);
    }
    r.sim.switchOff();
    EXPECT_EQ(r.preview.panel().pulsing, "");
}

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

// The preview played from `start` with the preset start, second by second, against a
// simulation started at `start` as `fernhollow simulate --preset` starts one.
void expectPreviewAsSimulate(const CommandLists& lists, int start, int seconds)
{
    Rig r(lists, 12 * 3600);
    // The window has run a while: its pulse timers are under way.
    for (int i = 0; i < 13; ++i)
        r.live.advance();
    r.sim.setPresetStart(true);
    r.preview.setSpeed(0);
    r.preview.setStart(start);
    r.preview.playOrPause();

    doubles::FakeClock clock(start);
    doubles::RecordingMessageBox messages;
    SilentBeeper beeper;
    Session session(messages, clock);
    session.open(lists);
    Simulation reference(session.program(), session.codeView(),
                         [&](const Clock& at) { return session.compile(at); }, clock, beeper, messages);
    reference.startUp();
    reference.setPresetStart(true);
    reference.tick();
    reference.switchOn();

    for (int i = 0; i <= seconds; ++i) {
        const GreenhouseView& a = r.sim.greenhouse();
        const GreenhouseView& b = reference.greenhouse();
        ASSERT_EQ(std::tie(a.lamps, a.taps, a.timerOn, a.lowSetPoint, a.highSetPoint),
                  std::tie(b.lamps, b.taps, b.timerOn, b.lowSetPoint, b.highSetPoint))
            << "at " << formatTime(start + i);
        r.wall.advance(1000);
        clock.advance();
        reference.tick();
    }
}

// Fault mended: the preview's pulse timers went on counting from the window's start, so
// started at 07:59:58 it misted at other seconds than `simulate --at 07:59:58`.
TEST(Preview, ShowsWhatSimulateShowsFromTheSameStart)
{
    expectPreviewAsSimulate({{{}, {}, {"W,08:00:00,1/2,P1,5S,595S", "W,18:00:00,1/2,OFF"}}},
                            8 * 3600 - 2, 2000);
    std::mt19937 random(7);
    for (int program = 0; program < 5; ++program) {
        SCOPED_TRACE(program);
        expectPreviewAsSimulate(checkedLines(test::randomLists(random)), std::uniform_int_distribution(0, 86399)(random),
                                secondsPerDay);
    }
}

} // namespace
} // namespace fh
