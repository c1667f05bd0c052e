#pragma once

// The check of a whole program: the line check finds typing errors, this finds a
// program that is well formed but does the wrong thing in the greenhouse (lines that
// stall the day, valves left on, timers set twice, pulse times that read otherwise
// than they look), before the program is sent to the controller.

#include "compiler/display.h"
#include "files/programfile.h"
#include "language/commandlists.h"
#include "language/datcheck.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fh {

namespace code {
inline constexpr std::string_view badLine = "bad-line";
inline constexpr std::string_view filedAnew = "filed-anew";
inline constexpr std::string_view notLoaded = "not-loaded";
inline constexpr std::string_view byteOrderMark = "byte-order-mark";
inline constexpr std::string_view wrongSection = "wrong-section";
inline constexpr std::string_view sameTime = "same-time";
inline constexpr std::string_view midnightWrap = "midnight-wrap";
inline constexpr std::string_view noOutput = "no-output";
inline constexpr std::string_view neverOff = "never-off";
inline constexpr std::string_view timerConflict = "timer-conflict";
inline constexpr std::string_view pulseTimes = "pulse-times";
inline constexpr std::string_view pulseText = "pulse-text";
inline constexpr std::string_view ignoredTerms = "ignored-terms";
inline constexpr std::string_view tooManyLines = "too-many-lines";
inline constexpr std::string_view timeText = "time-text";
inline constexpr std::string_view unitText = "unit-text";
inline constexpr std::string_view pulseSwapped = "pulse-swapped";
inline constexpr std::string_view emptyProgram = "empty-program";
} // namespace code

struct Finding {
    enum Severity { Error, Warning };
    // An item of the command lists: list 0..2 (T, L, W) and its index there.
    struct Item {
        std::size_t list;
        std::size_t index;
        friend bool operator==(const Item&, const Item&) = default;
    };

    // The line in the program file, separators counted; for lists typed in the
    // windows, the line the item would have in a saved file.
    std::size_t line;
    std::optional<Item> item; // none for a line of the file that was not loaded
    Severity severity;
    std::string_view code;
    std::string message; // Latin-1, like the lines it quotes
};

std::string_view severityName(Finding::Severity severity);
// "warning: MESSAGE [code]", in Latin-1 like the message.
std::string findingText(const Finding& finding);

// Findings in line order. The messages show times as `display` reads them.
std::vector<Finding> lint(const CommandLists& lists, const Display& display);

// The line check's results for the lines last checked, so that the check after a
// change runs the line check only on the lines it brought.
class LineMemo {
public:
    // Keeps the results for the lines of `lists`, checking those it has not.
    void update(const CommandLists& lists);
    // The result for a line of the lists last given.
    const CheckResult& at(const std::string& line) const;

private:
    std::unordered_map<std::string, CheckResult> results;
};

// lint of lists typed in the windows, the line check's results kept in `memo`.
std::vector<Finding> lint(const CommandLists& lists, const Display& display, LineMemo& memo);

// What a line as written means otherwise than it looks: a time such as 19.30 (read as
// 19:00:00), a set-point such as 40C (read as °F), a pulse on longer than off. None
// for a line that fails the command check. The findings are at line 0 and no item:
// the caller knows where the line stands.
std::vector<Finding> writtenFindings(std::string_view written, const Display& display);

// A program file as read: lint's findings, those of its load report (a failing line
// is found again in the lists) and those of each line as written, and an error at line
// 1 for a file that loads no line at all. The read's own line check is used, not run
// again.
std::vector<Finding> lint(const ProgramRead& read, const Display& display);

} // namespace fh
