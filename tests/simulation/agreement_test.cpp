// The day model against the simulation that plays the same program: both read each
// line through one row rule, and they must agree on how the controller's days go.

#include "compiler/day.h"
#include "simulation/simulation.h"

#include "platform/doubles/doubles.h"
#include "session/session.h"
#include "random_programs.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace fh {
namespace {

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

void expectSame(const Simulation& sim, const DayState& day, const std::string& where)
{
    SCOPED_TRACE(where);
    for (std::size_t k = 0; k < outputCount; ++k) {
        EXPECT_EQ(sim.greenhouse().lamps[k], day.lights[k]) << "light " << k + 1;
        // A valve no line has set since the switch-on is closed.
        const double valve = sim.valvestat()[k + 1] == OutputState::notNamed ? OutputState::off : sim.valvestat()[k + 1];
        EXPECT_EQ(valve, day.valves[k]) << "valve " << k + 1;
    }
    for (std::size_t n = 0; n < timerCount; ++n) {
        const TimerTimes times = day.timers[n].value_or(unsetTimer);
        EXPECT_EQ(sim.timers()[n].on, times.on) << "timer " << n + 1;
        EXPECT_EQ(sim.timers()[n].off, times.off) << "timer " << n + 1;
    }
    EXPECT_EQ(sim.greenhouse().lowSetPoint, day.low);
    EXPECT_EQ(sim.greenhouse().highSetPoint, day.high);
}

// The simulation switched on at 00:00:00 and run until its days repeat, then over the
// cycle twice, each day against the model's day that starts with the same line
// pending. A line acts only in its own second, so both states can change only at the
// seconds lines name; the simulation steps at those alone and is compared after each.
TEST(Agreement, DayModelAndSimulationAgreeAtEverySecondOfTheCycle)
{
    std::mt19937 random(2026);
    for (int program = 0; program < 1000; ++program) {
        const CommandLists lists = checkedLines(test::randomLists(random));
        doubles::RecordingMessageBox messages;
        doubles::FakeClock clock(0);
        SilentBeeper beeper;
        Session session(messages, clock);
        session.open(lists);
        const Program& compiled = session.program();
        Simulation sim(compiled, session.codeView(), [&](const Clock& at) { return session.compile(at); }, clock,
                       beeper, messages);
        sim.startUp();
        sim.switchOn();
        if (!sim.simrun())
            continue;
        const Cycle cycle(compiled);
        const auto& days = cycle.days();
        std::set<int> seconds;
        for (int i = 0; i <= compiled.proglast(); ++i)
            if (const auto s = secondOfDay(compiled.sched()[static_cast<std::size_t>(i)][column::time]))
                seconds.insert(*s);
        const auto lines = static_cast<std::size_t>(compiled.proglast() + 1);
        for (std::size_t simDay = 0; simDay < lines + 2 * days.size(); ++simDay) {
            std::size_t k = 0;
            while (k < days.size() && days[k].pendingAfter(-1) != sim.simstep())
                ++k;
            if (simDay < lines) {
                // Days before the cycle only move the controller into it.
            } else {
                ASSERT_LT(k, days.size()) << "program " << program << ": a day starts outside the cycle";
                expectSame(sim, days[k].at(0), "program " + std::to_string(program) + " at day start");
            }
            for (const int second : seconds) {
                clock.set(second);
                sim.sim();
                if (simDay >= lines && k < days.size())
                    expectSame(sim, days[k].at(second),
                               "program " + std::to_string(program) + " day " + std::to_string(k + 1) + " at " +
                                   formatTime(second));
            }
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
} // namespace fh
