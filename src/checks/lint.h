#pragma once

// The check of a whole program: the line check finds typing errors, this finds a
// program that is well formed but does the wrong thing in the greenhouse (lines that
// stall the day, valves left on, timers set twice, pulse times that read otherwise
// than they look), before the program is sent to the controller.

#include "compiler/display.h"
#include "files/programfile.h"
#include "language/commandlists.h"
#include "language/datcheck.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
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
inline constexpr std::string_view overlap = "overlap";
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

// A line of the lists as the user wrote it.
struct WrittenLine {
    std::string text; // Latin-1
    // Typed, its set-points read as the display reads them (in °C a bare number is
    // read as °F); otherwise a file's line, whose set-points are °F.
    bool typed = false;
    friend bool operator==(const WrittenLine&, const WrittenLine&) = default;
};

// How the lines of the lists were written, where that is known: a file's lines from
// its read, a line from its entry. An item keeps what was written for it while its
// list holds an item filed as it was; the read's notes on lines that are no item (a
// byte-order mark, lines not loaded) hold while the lists are those read.
class AsWritten {
public:
    AsWritten() = default;
    explicit AsWritten(const ProgramRead& read);

    // Item `at` of `lists` was just filed from `text`, typed. What was kept for items
    // no longer in the lists goes.
    void typed(const CommandLists& lists, Finding::Item at, std::string text);
    // What was written for each item of `lists`, list by list; null where it is not known.
    std::array<std::vector<const WrittenLine*>, 3> find(const CommandLists& lists) const;
    // The read's notes on lines that are no item, while `lists` are those read.
    std::vector<LoadNote> fileNotes(const CommandLists& lists) const;
    // Each item's line in the file, while `lists` are those read; else none.
    const std::array<std::vector<std::size_t>, 3>* fileLines(const CommandLists& lists) const;

    friend bool operator==(const AsWritten&, const AsWritten&) = default;

private:
    // The list, the filed item and how many items alike come before it in its list.
    using Key = std::tuple<std::size_t, std::string, std::size_t>;
    // The key of each item of `lists`, list by list.
    static std::array<std::vector<Key>, 3> keysOf(const CommandLists& lists);

    std::map<Key, WrittenLine> lines;
    CommandLists read;
    std::array<std::vector<std::size_t>, 3> lineNumbers;
    std::vector<LoadNote> notes;
};

// The program checks: lint's findings on the lists, each item's findings as written
// and the file's notes `written` keeps. The windows keep `written` and the line
// check's results in `memo` from change to change.
std::vector<Finding> lint(const CommandLists& lists, const Display& display, const AsWritten& written,
                          LineMemo& memo);

// A program file as read: the program checks on its lists, all of its lines as written,
// and an error at line 1 for a file that loads no line at all.
std::vector<Finding> lint(const ProgramRead& read, const Display& display);

// Every finding of one line typed alone: those of the line as written and lint's of
// the line itself, read as `display` reads a typed line. None for a line that fails
// the line check. The findings are at line 0 and no item: the caller knows where the
// line stands.
std::vector<Finding> typedFindings(std::string_view typed, const Display& display);

// A finding that says the line does otherwise than it reads: a slip to stop at, not
// to file unseen.
bool changesMeaning(const Finding& finding);

// A typed line as it was likely meant, as typed in the display's units.
struct Fix {
    std::string line;
    std::string reading; // what the line then does, where a slip reads two ways: "every 10 minutes"
};

// The ways to write a typed line whose slips change its meaning so that it reads as it
// looks: one, or one for each reading of a pulse written on longer than off. None for
// a line without such a slip, or one whose meaning cannot be guessed.
std::vector<Fix> slipFixes(std::string_view typed, const Display& display);

} // namespace fh
