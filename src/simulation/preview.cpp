#include "simulation/preview.h"

#include "simulation/simulation.h"

#include "compiler/day.h"
#include "compiler/program.h"
#include "language/datcheck.h"
#include "language/terms.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace fh {

PreviewClock::PreviewClock(Clock& live, WallTimer& timer) : liveClock(live), wall(timer) {}

PreviewClock::~PreviewClock()
{
    // Neither may wake a clock that is gone.
    wall.wakeAfter(0, {});
    liveClock.wakeAtNextSecond({});
}

int PreviewClock::secondsOfDay() const { return live_ ? liveClock.secondsOfDay() : dayOf(second_); }

void PreviewClock::wakeAtNextSecond(std::function<void()> wake)
{
    wake_ = std::move(wake);
    if (live_)
        liveClock.wakeAtNextSecond(wake_ ? std::function<void()>([this] { fire(); }) : nullptr);
}

void PreviewClock::fire()
{
    if (wake_)
        std::exchange(wake_, {})();
}

void PreviewClock::set(int second)
{
    if (live_) {
        live_ = false;
        liveClock.wakeAtNextSecond({});
    }
    second_ = dayOf(second);
    rebase();
    schedule();
}

void PreviewClock::step()
{
    ++second_;
    rebase();
    fire();
}

void PreviewClock::setSpeed(int speed)
{
    speed_ = std::clamp(speed, 1, secondsPerDay);
    rebase();
    schedule();
}

void PreviewClock::play()
{
    if (live_)
        return;
    playing_ = true;
    rebase();
    schedule();
}

void PreviewClock::pause()
{
    playing_ = false;
    schedule();
}

void PreviewClock::goLive()
{
    live_ = true;
    playing_ = false;
    schedule();
    wakeAtNextSecond(std::exchange(wake_, {}));
}

void PreviewClock::rebase()
{
    anchorSecond = second_;
    anchorWall = wall.milliseconds();
}

void PreviewClock::schedule()
{
    if (live_ || !playing_) {
        wall.wakeAfter(0, {});
        return;
    }
    // When the next second begins, but no sooner than a batch's length.
    const long long next = anchorWall + ((second_ + 1 - anchorSecond) * 1000 + speed_ - 1) / speed_;
    wall.wakeAfter(std::max(next - wall.milliseconds(), batchMilliseconds), [this] { batch(); });
}

void PreviewClock::batch()
{
    const long long due = anchorSecond + (wall.milliseconds() - anchorWall) * speed_ / 1000;
    batching_ = true;
    while (second_ < due) {
        ++second_;
        fire();
    }
    batching_ = false;
    if (afterBatch)
        afterBatch();
    schedule();
}

Preview::Preview(Simulation& sim, PreviewClock& previewClock, PreviewBeeper& quiet)
    : simulation(sim), clock(previewClock), beeper(quiet)
{
    clock.setSpeed(previewSpeeds[speed]);
}

void Preview::keepTime(std::function<void()> changed)
{
    clock.afterEachBatch(changed);
    // A batch's seconds come faster than anyone could see them: one render after it.
    simulation.keepTime([this, changed = std::move(changed)] {
        if (!clock.batching())
            changed();
    });
}

void Preview::setStart(int second)
{
    start = std::clamp(second, 0, secondsPerDay - 1);
    if (simulation.simrun()) {
        clock.set(start);
        simulation.clockSet(Simulation::Pending::Start);
    }
}

void Preview::setSpeed(std::size_t index)
{
    if (index >= previewSpeeds.size())
        return;
    speed = index;
    clock.setSpeed(previewSpeeds[index]);
}

void Preview::playOrPause()
{
    if (!simulation.simrun())
        return;
    if (clock.live()) {
        clock.set(start);
        simulation.clockSet(Simulation::Pending::Start);
        clock.play();
    } else if (clock.playing()) {
        clock.pause();
    } else {
        clock.play();
    }
}

void Preview::nextLine()
{
    const auto second = simulation.pendingSecond();
    if (!second)
        return;
    // The second before the line's is taken as handled, so that the line itself
    // takes effect as the engine meets its second; two lines of one second thus
    // come one after the other instead of the first again.
    clock.set(*second - 1);
    simulation.clockSet(Simulation::Pending::Keep);
    clock.step();
}

void Preview::goLive()
{
    if (clock.live())
        return;
    clock.goLive();
    simulation.clockSet(Simulation::Pending::Find);
}

void Preview::follow()
{
    if (!simulation.simrun())
        goLive();
}

PreviewPanel Preview::panel() const
{
    return {start, speed, clock.playing() ? pauseCaption : playCaption, !clock.live(), beeper.muted,
            simulation.panel().clock.value_or(std::string()), pulsingCaption(simulation)};
}

std::optional<int> typedTime(std::string_view text)
{
    // Read as the time of a line; plainTime keeps out commas and line breaks too.
    if (!plainTime(text))
        return std::nullopt;
    const CheckResult r = datcheck("L," + std::string(text) + ",1,ON");
    if (!r.dataok)
        return std::nullopt;
    return secondOfDay(std::string_view(r.cmdline).substr(2, 8));
}

std::string pulsingCaption(const Simulation& simulation)
{
    if (!simulation.simrun())
        return {};
    std::map<std::size_t, std::vector<std::size_t>> byTimer; // timer index, its valves
    for (std::size_t v = 1; v <= outputCount; ++v) {
        const double state = simulation.valvestat()[v];
        if (!OutputState::isPulsed(state))
            continue;
        const long long item = roundHalfEven(OutputState::timerOf(state) - 1, -1, timerCount);
        if (item >= 0 && item < timerCount)
            byTimer[static_cast<std::size_t>(item)].push_back(v);
    }
    std::string caption;
    for (const auto& [item, valves] : byTimer) {
        caption += caption.empty() ? "Pulsing: " : "; ";
        caption += valves.size() > 1 ? "valves " : "valve ";
        for (std::size_t i = 0; i < valves.size(); ++i)
            caption += (i > 0 ? ", " : "") + std::to_string(valves[i]);
        const PulseTimer& timer = simulation.timers()[item];
        caption += " by P" + std::to_string(item + 1) + ", " + plainNumber(timer.on) + " s on, " +
                   plainNumber(timer.off) + " s off";
    }
    return caption;
}

std::optional<std::string> Preview::clockCaption() const
{
    std::optional<std::string> caption = simulation.panel().clock;
    if (caption && !clock.live())
        *caption += previewMark;
    return caption;
}

} // namespace fh
