#include "simulation/preview.h"

#include "simulation/simulation.h"

#include <algorithm>
#include <utility>

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
    if (simulation.simrun() && !clock.live()) {
        clock.set(start);
        simulation.clockSet(Simulation::Pending::Find);
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
        simulation.clockSet(Simulation::Pending::Find);
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
    return {start, speed, clock.playing() ? pauseCaption : playCaption, !clock.live(), beeper.muted};
}

std::optional<std::string> Preview::clockCaption() const
{
    std::optional<std::string> caption = simulation.panel().clock;
    if (caption && !clock.live())
        *caption += previewMark;
    return caption;
}

} // namespace fh
