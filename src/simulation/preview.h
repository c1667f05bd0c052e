#pragma once

// The preview runs the simulation's day from a chosen second at a chosen speed. The
// engine is the same one; only its clock changes: PreviewClock reads the wall clock
// while live, and otherwise counts simulated seconds, start + elapsed wall time ×
// speed, waking the engine for every one of them in batches from a coarser wall
// timer. Preview is what the preview row does: start, speed, Play/Pause, Next line,
// Live and Mute.

#include "platform/devices.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fh {

class Simulation;

inline constexpr std::array<int, 4> previewSpeeds{1, 60, 600, 3600};
inline constexpr std::string_view playCaption = "Play";
inline constexpr std::string_view pauseCaption = "Pause";
inline constexpr std::string_view previewMark = " preview";

class PreviewClock : public Clock {
public:
    // A batch's seconds are woken together, at most this often.
    static constexpr long long batchMilliseconds = 50;

    PreviewClock(Clock& live, WallTimer& wall);
    ~PreviewClock() override;
    PreviewClock(const PreviewClock&) = delete;
    PreviewClock& operator=(const PreviewClock&) = delete;

    int secondsOfDay() const override;
    void wakeAtNextSecond(std::function<void()> wake) override;

    bool live() const { return live_; }
    bool playing() const { return playing_; }
    // True while the seconds of one batch are woken.
    bool batching() const { return batching_; }

    // Leaves the wall clock, if need be, and reads `second` from now on; it plays on
    // from there if it was playing.
    void set(int second);
    // One second on at once, woken as any other.
    void step();
    // Simulated seconds a wall second, 1 to a day.
    void setSpeed(int speed);
    void play();
    void pause();
    void goLive();
    // Called after each batch, when there is something to render.
    void afterEachBatch(std::function<void()> done) { afterBatch = std::move(done); }

private:
    void fire();
    void rebase();
    void schedule();
    void batch();

    Clock& liveClock;
    WallTimer& wall;
    std::function<void()> wake_;
    std::function<void()> afterBatch;
    // The second it reads, counted on without wrapping at midnight.
    long long second_ = 0;
    // The second that began at wall time anchorWall.
    long long anchorSecond = 0;
    long long anchorWall = 0;
    int speed_ = 1;
    bool live_ = true;
    bool playing_ = false;
    bool batching_ = false;
};

// The beep, silent while muted and while a preview runs.
class PreviewBeeper : public Beeper {
public:
    PreviewBeeper(Beeper& beeper, const PreviewClock& time) : real(beeper), clock(time) {}
    void beep() override
    {
        if (!muted && clock.live())
            real.beep();
    }
    bool muted = false;

private:
    Beeper& real;
    const PreviewClock& clock;
};

// What the preview row shows.
struct PreviewPanel {
    int start = 0;         // second of the day
    std::size_t speed = 0; // index into previewSpeeds
    std::string_view playCaption;
    bool previewing = false; // Live has somewhere to return from
    bool muted = false;
    // The simulation's time of day, the preview's while it runs; empty before the first tick.
    std::string time;
    // The valves pulsed now, by timer, while the simulation runs: between pulses a
    // tap shows nothing. Empty when none is.
    std::string pulsing;

    bool operator==(const PreviewPanel&) const = default;
};

// A time typed in the command language's forms (6, 6:30, 06:30:00; 24 is midnight)
// as a second of the day; none for any other text, 8.30 among them.
std::optional<int> typedTime(std::string_view text);

// "Pulsing: valves 1, 2 by P1, 5 s on, 595 s off", a part for each timer joined by
// "; ", while the simulation runs and pulses a valve; else empty.
std::string pulsingCaption(const Simulation& simulation);

// Start, Next line and Live set the clock and find the pending line, replaying
// nothing; the row acts only while the simulation runs, and a preview ends with it.
class Preview {
public:
    Preview(Simulation& simulation, PreviewClock& clock, PreviewBeeper& beeper);

    // The simulation ticks from now on; `changed` comes after every live second and
    // after every batch of preview seconds.
    void keepTime(std::function<void()> changed);

    // Where Play starts; while the simulation runs the clock jumps there at once,
    // leaving the wall clock for a paused preview.
    void setStart(int second);
    void setSpeed(std::size_t index);
    // From the wall clock it starts at the start time, else it pauses or plays on.
    void playOrPause();
    // To the second of the pending line, which then takes effect.
    void nextLine();
    void goLive();
    void setMuted(bool on) { beeper.muted = on; }
    // Called after anything that may have switched the simulation off.
    void follow();

    PreviewPanel panel() const;
    // The main window's clock, marked while a preview runs; none until the first tick.
    std::optional<std::string> clockCaption() const;

private:
    Simulation& simulation;
    PreviewClock& clock;
    PreviewBeeper& beeper;
    int start = 0;
    std::size_t speed = 2;
};

} // namespace fh
