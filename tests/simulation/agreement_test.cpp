// The day model against the simulation that plays the same program: both read each
// line through one row rule, and they must agree on how the controller's days go.

#include "compiler/day.h"
#include "compiler/daydiff.h"
#include "compiler/why.h"
#include "simulation/simulation.h"

#include "platform/doubles/doubles.h"
#include "session/session.h"
#include "random_programs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <map>
#include <set>
#include <vector>
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

// Whether the row of `line` sets `item`.
bool names(const Program& program, int line, int item)
{
    const RowEffect e = rowEffect(program.sched()[static_cast<std::size_t>(line)]);
    const auto k = static_cast<std::size_t>(item % outputCount);
    if (item < outputCount)
        return e.lights[k].has_value();
    if (item < 2 * outputCount)
        return e.valves[k].has_value();
    if (item < 3 * outputCount)
        return e.timer && e.timer->first == k;
    return e.setPoints.has_value();
}

// What the simulation shows that `why` reads, as the simulation holds it: compared
// whole at every second, so that only a second where it moves is read item by item.
struct Shown {
    std::array<bool, outputCount> lamps{};
    std::array<double, outputCount + 1> valves{};
    std::array<TimerTimes, timerCount> timers{};
    double low = 0, high = 0;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown shownBy(const Simulation& sim)
{
    return {sim.greenhouse().lamps, sim.valvestat(), sim.timers(), sim.greenhouse().lowSetPoint,
            sim.greenhouse().highSetPoint};
}

// A controller switched on at 00:00:00 with the program's state, run second by second
// over two turns of its cycle; `why` asked in the second turn must give what the run
// shows: the value, the line that last named the item, when the value began and what
// changes it next; each timer's phase and how long it lasts, and each valve's tap, at
// every second. Two hundred programs, each from a seed of its own and a case of its own:
// a program of a cycle of twelve days takes seconds under the sanitizers.
class WhyAgreement : public testing::TestWithParam<int> {};

TEST_P(WhyAgreement, WhyAgreesWithTheSimulationAtEverySecond)
{
    const Display display;
    const int program = GetParam();
    std::seed_seq seed{36, program};
    std::mt19937 random(seed);
    const CommandLists lists = test::randomLists(random);
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock(0);
    SilentBeeper beeper;
    Session session(messages, clock);
    session.open(checkedLines(lists));
    const Program& compiled = session.program();
    Simulation sim(compiled, session.codeView(), [&](const Clock& at) { return session.compile(at); }, clock,
                   beeper, messages);
    sim.startUp();
    sim.setPresetStart(true);
    sim.tick();
    sim.switchOn();
    if (!sim.simrun())
        GTEST_SKIP() << "no line of program " << program << " passes the check";
    const DayReasons reasons(compiled, lists);
    const long long cycle = reasons.cycleSeconds();
    const std::string name = "program " + std::to_string(program);

    // The seconds `why` is asked at, in the second turn of the cycle: each line's
    // second and those either side within the turn, each midnight, and some at random.
    std::set<long long> asked;
    for (std::size_t d = 0; d < reasons.days(); ++d) {
        const long long midnight = cycle + static_cast<long long>(d) * secondsPerDay;
        asked.insert(midnight);
        for (const Act& act : reasons.cycle().days()[d].acts())
            for (const long long around : {-1, 0, 1})
                asked.insert(std::clamp(midnight + act.second + around, cycle, 2 * cycle - 1));
    }
    for (int k = 0; k < 20; ++k)
        asked.insert(cycle + std::uniform_int_distribution<long long>(0, cycle - 1)(random));

    // The second each compiled line names, or -1.
    std::vector<int> due;
    for (int i = 0; i <= compiled.proglast(); ++i)
        due.push_back(secondOfDay(compiled.sched()[static_cast<std::size_t>(i)][column::time]).value_or(-1));

    // The run: the line applied at each second, each item's changes, the states
    // at the seconds asked and at the changes, the seconds each timer's phase
    // turns; each valve's tap against `why` as it goes.
    std::vector<int> applied; // the line applied at each second, or -1
    std::vector<std::size_t> appliedAt;
    std::array<std::vector<std::size_t>, dayItemCount> changed;
    std::map<long long, DayState> states;
    std::array<std::vector<std::pair<long long, bool>>, timerCount> phases; // each phase's first second
    std::array<bool, timerCount> timerOn{};
    Shown lastShown;
    DayState last;
    auto nextAsked = asked.begin();
    for (long long tick = 0; tick < 2 * cycle; ++tick) {
        const int pending = sim.simstep();
        const auto second = static_cast<int>(tick % secondsPerDay);
        if (tick > 0) {
            clock.set(second);
            sim.tick();
        }
        const bool applies = tick > 0 && due[static_cast<std::size_t>(pending)] == second;
        applied.push_back(applies ? pending : -1);
        if (applies)
            appliedAt.push_back(static_cast<std::size_t>(tick));
        if (const Shown shown = shownBy(sim); tick == 0 || shown != lastShown) {
            const DayState now = sim.shown();
            for (int item = 0; tick > 0 && item < dayItemCount; ++item)
                if (!sameDayItem(last, now, item) &&
                    dayItemValue(last, item, display) != dayItemValue(now, item, display)) {
                    changed[static_cast<std::size_t>(item)].push_back(static_cast<std::size_t>(tick));
                    states[tick] = now;
                }
            last = now;
            lastShown = shown;
        }
        if (nextAsked != asked.end() && *nextAsked == tick) {
            states[tick] = last;
            ++nextAsked;
        }
        const GreenhouseView& house = sim.greenhouse();
        for (std::size_t n = 0; n < timerCount; ++n)
            if (tick == 0 || house.timerOn[n] != timerOn[n]) {
                timerOn[n] = house.timerOn[n];
                phases[n].emplace_back(tick, timerOn[n]);
            }
        for (std::size_t k = 0; k < outputCount; ++k)
            if (house.taps[k] != reasons.valveOpen(k, tick))
                FAIL() << name << " valve " << k + 1 << " at second " << tick << ": the run has it "
                       << (house.taps[k] ? "open" : "shut");
    }

    // The seconds at which a line naming each item is applied.
    std::array<std::vector<std::size_t>, dayItemCount> naming;
    for (const std::size_t t : appliedAt)
        for (int item = 0; item < dayItemCount; ++item)
            if (names(compiled, applied[t], item))
                naming[static_cast<std::size_t>(item)].push_back(t);

    for (std::size_t n = 0; n < timerCount; ++n)
        for (std::size_t i = 0; i < phases[n].size(); ++i) {
            const auto [tick, on] = phases[n][i];
            const PulsePhase phase = reasons.timerPhase(n, tick);
            ASSERT_EQ(phase.on, on) << name << " timer " << n + 1 << " at second " << tick;
            if (i + 1 < phases[n].size()) {
                ASSERT_EQ(phase.left, phases[n][i + 1].first - tick)
                    << name << " timer " << n + 1 << " at second " << tick;
            }
        }

    for (const long long tick : asked) {
        const auto day = static_cast<std::size_t>((tick - cycle) / secondsPerDay);
        const auto second = static_cast<int>((tick - cycle) % secondsPerDay);
        const auto at = static_cast<std::size_t>(tick);
        const std::string where = name + " day " + std::to_string(day + 1) + " at " + formatTime(second);
        for (int item = 0; item < dayItemCount; ++item) {
            SCOPED_TRACE(where + " " + dayItemName(item));
            const Reason r = reasons.why(day, second, item, display);
            ASSERT_EQ(r.value, dayItemValue(states.at(tick), item, display));
            const auto& named = naming[static_cast<std::size_t>(item)];
            const auto after = std::ranges::upper_bound(named, at);
            const int line = after != named.begin() && *std::prev(after) + cycle > at
                                 ? applied[*std::prev(after)]
                                 : -1;
            EXPECT_EQ(r.line, line);
            const auto& changes = changed[static_cast<std::size_t>(item)];
            const auto later = std::ranges::upper_bound(changes, at);
            const bool since = later != changes.begin() && *std::prev(later) + cycle > at;
            ASSERT_EQ(r.since.has_value(), since);
            if (since) {
                EXPECT_EQ(static_cast<long long>(r.since->day) * secondsPerDay + r.since->second,
                          static_cast<long long>(*std::prev(later)) % cycle);
            }
            // Values repeat with the cycle: the next change after the run's end is
            // the one a turn before.
            long long next = -1;
            if (later != changes.end())
                next = static_cast<long long>(*later);
            else if (const auto before = std::ranges::upper_bound(changes, at - static_cast<std::size_t>(cycle));
                     before != changes.end() && *before <= at)
                next = static_cast<long long>(*before) + cycle;
            ASSERT_EQ(r.next.has_value(), next >= 0);
            if (next >= 0) {
                EXPECT_EQ(static_cast<long long>(r.next->at.day) * secondsPerDay + r.next->at.second,
                          next % cycle);
                const long long seen = next < 2 * cycle ? next : next - cycle;
                EXPECT_EQ(r.next->value, dayItemValue(states.at(seen), item, display));
                EXPECT_EQ(r.next->line, applied[static_cast<std::size_t>(seen)]);
            }
            if (item >= 2 * outputCount && item < 3 * outputCount) {
                ASSERT_TRUE(r.pulse);
                // The timers count from the switch-on: their phase is the first turn's.
                EXPECT_EQ(r.pulse, reasons.timerPhase(static_cast<std::size_t>(item - 2 * outputCount),
                                                      tick - cycle));
            }
        }
        if (::testing::Test::HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Agreement, WhyAgreement, testing::Range(0, 200));

} // namespace
} // namespace fh
