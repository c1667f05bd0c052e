#pragma once

// The simulation plays the compiled program against the clock. The clock wakes it
// when a new second begins (keepTime); then it shows the clock and, while the
// simulation runs, beeps, advances the six pulse timers (blinky) and makes one step (sim),
// which applies the pending program line when its second has come. What the
// simulation window and the simulation's controls of the main window show is plain
// state here (GreenhouseView, ControlPanel); the windows only render it.

#include "compiler/rowrule.h"
#include "language/commandlists.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fh {

class Beeper;
class Clock;
class Cycle;
class MessageBox;
class Program;
struct CodeView;
struct CycleSecond;
struct DayState;

inline constexpr std::string_view forceLights = "Force Lights";
inline constexpr std::string_view unforce = "Unforce";
inline constexpr std::string_view simOnCaption = "SIM  On";
inline constexpr std::string_view simOffCaption = "SIM  Off";

using PulseTimer = TimerTimes;

// What the simulation window shows.
struct GreenhouseView {
    std::array<bool, outputCount> lamps{};  // light relay k+1 on
    std::array<bool, outputCount> taps{};   // water valve k+1 open
    std::array<bool, timerCount> timerOn{}; // timer N-1 in its on phase
    bool timerItems = false;                // the timer list holds "p 1".."p 6"
    // In °F, as the program holds them; the windows show them through their Display.
    double lowSetPoint = startLow;
    double highSetPoint = startHigh;
    std::optional<std::string> pendingLine; // none until a line is pending
    bool shown = false;

    bool operator==(const GreenhouseView&) const = default;
};

// The simulation's switches and the two manual controls of the main window.
struct ControlPanel {
    std::optional<std::string> clock; // none until the first tick
    std::string switchCaption = "SIM On/off";
    bool simOnChecked = false;
    bool simOffChecked = true;
    bool greenLight = false;
    bool redLight = true;
    bool fanTicked = false;
    std::string fanCaption = "Off";
    std::string forceCaption = std::string(forceLights);
    bool warningSign = false;

    bool operator==(const ControlPanel&) const = default;
};

class Simulation {
public:
    // Asks the program's owner to compile its lists, finding the next line by the
    // clock given; false when the lists were refused.
    using Compile = std::function<bool(const Clock&)>;

    // A switch-on compiles through `compile` and then plays `program`; the pending
    // line is marked in `code`.
    Simulation(const Program& program, CodeView& code, Compile compile, Clock& clock, Beeper& beeper,
               MessageBox& messages);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // The one-time part of the main window's first activation: the timers' start
    // values and the timer list's items. Later calls change nothing.
    void startUp();

    // The tick: true when the clock second changed, so there is something to render.
    bool tick();
    // Ticks from now on at the start of every clock second, and calls `changed` after
    // each tick with something to render. Later calls change nothing.
    void keepTime(std::function<void()> changed);
    void sim();
    void blinky();

    void switchOn();
    void switchOff();
    // Whether a switch-on starts from what the program's lines have set by that
    // second (lamps, valves, timers, set-points) rather than from the greenhouse as it
    // was; what no line sets stays as it was.
    void setPresetStart(bool on) { presetStart_ = on; }
    bool presetStart() const { return presetStart_; }

    // The clock was set rather than run (a preview's start or Next line, back to the
    // wall clock): no second between is made up, and with the preset start the state
    // is the program's at the new second. Find looks for the pending line after that
    // second, as a switch-on does; Keep goes on waiting for the line pending now;
    // Start is Find for a controller started at that second, whose pulse timers count
    // from there (as `fernhollow simulate --at` starts one).
    enum class Pending { Find, Keep, Start };
    void clockSet(Pending pending);
    // The second of the day the pending line acts in; none while no line is pending
    // or its time is not hh:mm:ss.
    std::optional<int> pendingSecond() const;

    // A press and then a release on the fan switch are one click, which flips it once.
    void fanPressed();
    void fanReleased(bool overSwitch);
    void toggleForceLights();

    bool simrun() const { return simrun_; }
    bool simready() const { return simready_; }
    int simstep() const { return simstep_; }
    // The line of the code marked as the one the simulation waits for.
    const CodeView& codeView() const { return code; }
    int simsecs() const { return simsecs_; }
    const std::array<PulseTimer, timerCount>& timers() const { return timers_; } // timer N at N-1
    const std::array<double, outputCount + 1>& valvestat() const { return valvestat_; }
    const std::array<double, outputCount + 1>& lightstat() const { return lightstat_; }

    const GreenhouseView& greenhouse() const { return greenhouse_; }
    const ControlPanel& panel() const { return panel_; }

    // The program it plays, compiled from its `source()`, which may be older than the lists.
    const Program& played() const { return program; }
    // What the run shows, as a day's state: a valve no line has set since the switch-on
    // is closed.
    DayState shown() const;
    // Where the run stands in `cycle`, the played program's: the second last handled (the
    // clock it shows), on the day of the cycle that waits for the same line after that
    // second. None while no line is pending, before it has followed a compile again, or
    // where no day of the cycle waits so.
    std::optional<CycleSecond> inCycle(const Cycle& cycle) const;

private:
    // The traffic lights, caption, check marks and window of the switch, and a fresh set-up.
    void switchTo(bool on);
    void woken();
    // Sets what the program's lines have set by `second` of day 1; the line then pending.
    int preset(int second);
    // One step at the clock second `second`.
    void step(int second);
    int lastLine() const;
    // Shows the pending line; false without a program.
    bool markPending();
    void apply(int line);

    const Program& program;
    CodeView& code;
    Compile compile;
    Clock& clock;
    Beeper& beeper;
    MessageBox& messages;

    bool simrun_ = false;
    bool simready_ = false;
    int simstep_ = 0;
    int lasttime = 0;
    int simsecs_ = 0;
    // The program's revision when this run last set its pending line.
    unsigned long followed = 0;
    std::array<PulseTimer, timerCount> timers_{};
    std::array<double, outputCount + 1> valvestat_{};
    std::array<double, outputCount + 1> lightstat_{};
    GreenhouseView greenhouse_;
    ControlPanel panel_;

    bool started = false;
    bool settingUp = false; // also while a box of the set-up is open
    bool fanPressed_ = false;
    bool presetStart_ = false;
    std::function<void()> changed;
};

} // namespace fh
