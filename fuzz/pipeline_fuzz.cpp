#include "chart/chart.h"
#include "files/programfile.h"
#include "platform/displaylist.h"
#include "platform/doubles/doubles.h"
#include "session/session.h"
#include "simulation/simulation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// A program file of any bytes: compile it, simulate one day from midnight, chart it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fh::doubles::RecordingMessageBox messages;
    fh::doubles::FakeClock clock;
    fh::doubles::CountingBeeper beeper;
    fh::Session session(messages, clock);
    session.open(
        fh::readProgramFile(std::string_view(reinterpret_cast<const char*>(data), size)).lists);

    fh::Simulation simulation(session.program(), session.codeView(),
                              [&](const fh::Clock& at) { return session.compile(at); }, clock, beeper, messages);
    simulation.startUp();
    simulation.switchOn();
    for (int second = 0; second < fh::secondsPerDay && simulation.simrun(); ++second) {
        clock.advance();
        simulation.tick();
    }

    fh::ChartState chart;
    fh::DisplayList canvas;
    if (session.compile())
        fh::plot(session.program(), session.display(), chart, canvas, messages);
    return 0;
}
