#pragma once

// The main window and the simulation behind it on fake devices, the clock at 07:00:00,
// as the tests of the simulation window and of the idle window drive them.

#include "gui/compilercontrols.h"
#include "gui/form1.h"
#include "gui/simcontrols.h"
#include "platform/doubles/doubles.h"
#include "session/session.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

namespace fh::test {

struct SimulatedWindows {
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock{7 * 3600};
    doubles::FakeWallTimer wall;
    doubles::CountingBeeper beeper;
    PreviewClock previewClock{clock, wall};
    PreviewBeeper previewBeeper{beeper, previewClock};
    Session session{messages, clock};
    Form1 form{session, messages};
    CompilerControls compiler{form, session};
    Simulation simulation{session.program(), session.codeView(),
                          [this](const Clock& at) { return session.compile(at); }, previewClock, previewBeeper,
                          messages};
    Preview preview{simulation, previewClock, previewBeeper};
    SimulationControls controls{form, simulation, preview, session.display()};
};

} // namespace fh::test
