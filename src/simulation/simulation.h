#pragma once

// The simulation plays the compiled program against the clock. Timer1 ticks every
// 10 ms; in each new clock second the tick shows the clock and, while the
// simulation runs, beeps, advances the six pulse timers (blinky) and makes one step
// (sim), which applies the pending program line when its second has come. What the
// simulation window and the simulation's controls of the main window show is plain
// state here (SimDisplay, MainDisplay); the windows only render it.

#include "language/commandlists.h"

#include <array>
#include <string>
#include <string_view>

namespace fh {

class Beeper;
class Clock;
class Editor;
class MessageBox;
class Program;

inline constexpr std::string_view forceLights = "Force Lights";
inline constexpr std::string_view unforce = "Unforce";
inline constexpr std::string_view simOnCaption = "SIM  On";
inline constexpr std::string_view simOffCaption = "SIM  Off";

struct PulseTimer {
    double on = 0;
    double off = 0;
    double phase = 0;
};

// Form3, "GH Simulation".
struct SimDisplay {
    std::array<bool, outputCount> lamps{};  // Image1(k): light relay k+1 on
    std::array<bool, outputCount> taps{};   // Image2(k): water valve k+1 open
    std::array<bool, timerCount> timerOn{}; // List4 item N-1 selected: timer N in its on phase
    bool timerItems = false;                // List4 holds "p 1".."p 6"
    std::string lsetLab = "74";
    std::string usetLab = "78";
    std::string text1 = "Text1"; // the pending line
    bool shown = false;
};

// The simulation's switches and the two manual controls of the main window.
struct MainDisplay {
    std::string label6 = "Label6"; // the clock
    std::string label13 = "SIM On/off";
    bool ssonChecked = false;
    bool ssoffChecked = true;
    bool greenLight = false; // Image2
    bool redLight = true;    // Image3
    bool fanTicked = false;  // Check13
    std::string fanCaption = "Off";
    std::string command2 = std::string(forceLights);
    bool warningSign = false; // Image1
};

class Simulation {
public:
    Simulation(Program& program, const Editor& editor, const Clock& clock, Beeper& beeper,
               MessageBox& messages);

    // The one-time part of the main window's first activation: the timers' start
    // values and List4's items. Later calls change nothing.
    void startUp();

    // Timer1: true when the clock second changed, so there is something to render.
    bool tick();
    void sim();
    void blinky();

    void sson();
    void ssoff();

    // A press and then a release on the switch are one click, which flips it once.
    void check13Down();
    void check13Up(bool onSwitch);
    void command2Click();

    bool simrun = false;
    int simready = 0;
    int simstep = 0;
    int lasttime = 0;
    int simsecs = 0;
    std::array<PulseTimer, timerCount> timers{}; // timer N at index N-1
    std::array<double, 7> valvestat{};
    std::array<double, 7> lightstat{};

    SimDisplay form3;
    MainDisplay form1;

private:
    // The traffic lights, caption, check marks and window of the switch, and a fresh set-up.
    void switchTo(bool on);
    // One step at the clock second `second`.
    void step(int second);
    void apply(int line);

    Program& program;
    const Editor& editor;
    const Clock& clock;
    Beeper& beeper;
    MessageBox& messages;

    bool started = false;
    bool settingUp = false; // also while a box of the set-up is open
    bool check13Pressed = false;
};

} // namespace fh
