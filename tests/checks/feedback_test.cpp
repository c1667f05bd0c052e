#include "checks/feedback.h"

#include "platform/doubles/doubles.h"
#include "session/editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace fh {
namespace {

TEST(Feedback, StatusAfterALineIsFiled)
{
    const struct {
        CommandLists before;
        std::string typed;
        std::string status;
        std::optional<Place> edit = {}; // an item typed anew in place of Enter
        Display::Temperature unit = Display::Temperature::Fahrenheit;
    } rows[] = {
        {{{{}, {}, {"W,18:00:00,1/2,OFF"}}},
         "W,08:00:00,1/2,P1,9M55S,10M",
         "Filed W,08:00:00,1/2,P1,9M55S,10M: warning: 9M55S reads as 9 seconds; write 595S \u2014 Program checks: "
         "0 errors, 1 warning \u2014 F7"},
        {{}, "T,19.30,65,72",
         "Filed T,19:00:00,65,72: warning: 19.30 reads as 19:00:00 \u2014 Program checks: 0 errors, 1 warning "
         "\u2014 F7"},
        // The other line at that second is told too, as its finding is new.
        {{{{}, {"L,06:00:00,1,ON"}, {}}},
         "w,6,2,off",
         "Filed W,06:00:00,2,OFF: error: 2 lines at 06:00:00: only the first takes effect; all but the first wait "
         "a day and hold back every later line (+1 more) \u2014 Program checks: 2 errors, 1 warning \u2014 F7"},
        // Errors before the warning of the typed text.
        {{{{"T,06:00:00,70,80"}, {}, {}}},
         "t,6:00,40C,72",
         "Filed T,06:00:00,40C,72: error: 2 lines at 06:00:00: only the first takes effect; all but the first wait "
         "a day and hold back every later line (+2 more) \u2014 Program checks: 2 errors, 1 warning \u2014 F7"},
        // A finding the program had before is not told again.
        {{{{}, {"L,06:00:00,1,ON"}, {}}},
         "T,5,70,80",
         "Filed T,05:00:00,70,80: no findings \u2014 Program checks: 0 errors, 1 warning \u2014 F7"},
        {{{{}, {"L,06:00:00,1,ON"}, {}}},
         "L,18,1,off",
         "Filed L,18:00:00,1,OFF: no findings \u2014 Program checks: 0 errors, 0 warnings \u2014 F7"},
        // The edit moves its line to the T list: valve 1's finding moves up a row, and is not new.
        {{{{}, {}, {"W,05:00:00,3,OFF", "W,06:00:00,1,ON"}}},
         "T,5,70,80",
         "Filed T,05:00:00,70,80: no findings \u2014 Program checks: 0 errors, 1 warning \u2014 F7",
         Place{2, 0}},
        {{{{}, {}, {"W,05:00:00,3,OFF", "W,06:00:00,1,ON"}}},
         "W,06:00:00,1,P1,10M,5S",
         "Filed W,06:00:00,1,P1,10M,5S: warning: valve 1 is pulsed but no line switches it off (+1 more) \u2014 "
         "Program checks: 0 errors, 2 warnings \u2014 F7",
         Place{2, 1}},
        // Typed in °C: the checks read the line as filed, and the status says how it was read.
        {{},
         "T,6,20C,26C",
         "Filed T,06:00:00,68,78.8 (20 °C as 68 °F, 26 °C as 78.8 °F): no findings — "
         "Program checks: 0 errors, 0 warnings — F7",
         std::nullopt, Display::Temperature::Celsius},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        doubles::RecordingMessageBox boxes;
        Editor editor(boxes);
        editor.replaceLists(row.before);
        const Display display{row.unit};
        const CelsiusReading typed = display.typed(row.typed);
        if (row.edit)
            editor.edit(row.edit->list, row.edit->index, typed.line);
        else
            editor.pumpcom(typed.line);
        ASSERT_TRUE(editor.filedAt());
        const Finding::Item at{static_cast<std::size_t>(editor.filedAt()->list),
                               static_cast<std::size_t>(editor.filedAt()->index)};
        const std::vector<Finding> was = lint(row.before, display);
        AsWritten written;
        written.typed(editor.lists(), at, row.typed);
        LineMemo memo;
        const std::vector<Finding> now = lint(editor.lists(), display, written, memo);
        const std::vector<Finding> told = filedFindings(at, {row.before, was}, {editor.lists(), now});
        EXPECT_EQ(filedStatus(editor.cmdline(), typed.readings, told, now), row.status);
    }
}

} // namespace
} // namespace fh
