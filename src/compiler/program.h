#pragma once

// The compiled program. combine copies the three command lists into the program's
// lines, sort orders them by the time term (compared as text), fullparse turns each
// line into a row of `sched` and rewrites it in the fixed-width pasteable form, and
// syncup finds from the clock the first line still to come (`nextstep`). After each of
// the first three, display shows the lines as the pasteable code.

#include "language/commandlists.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace fh {

class Clock;
class MessageBox;

inline constexpr int progCapacity = 101;
inline constexpr std::size_t schedColumns = 13;

inline constexpr std::string_view noProgramPresent = "no program present!";
inline constexpr std::string_view tooManyCommands =
    "too many commands: the program holds at most 101 lines";

// A cell of the schedule holds a number or a text; a never-written cell is the number 0,
// which every reader takes as it takes empty text. The number comes first so that a
// schedule (1,313 cells) is made and dropped without touching any text.
using Cell = std::variant<double, std::string>;
using ScheduleRow = std::array<Cell, schedColumns>;
using Schedule = std::array<ScheduleRow, progCapacity>;

// The columns of a schedule row. Light or valve k (1..6) is column output(k); a T
// line keeps its set-points where lights 1 and 2 would be. Terms 5 to 7 of a line
// land in the three pulse columns, converted to seconds on a pulsed W line.
namespace column {
inline constexpr std::size_t letter = 0;
inline constexpr std::size_t time = 1;
inline constexpr std::size_t low = 2;
inline constexpr std::size_t high = 3;
inline constexpr std::size_t mode = 8; // the W mode in force: an output state
inline constexpr std::size_t pulseOn = 9;
inline constexpr std::size_t pulseOff = 10;
inline constexpr std::size_t phase = 11;
constexpr std::size_t output(int k) { return static_cast<std::size_t>(k) + 1; }
} // namespace column

// The state a line gives one output: not named (unchanged), off, on, or pulsed by
// timer N, held as -1, 0, 1 and 10 + N. Unchecked lines can hold any number.
struct OutputState {
    static constexpr double notNamed = -1;
    static constexpr double off = 0;
    static constexpr double on = 1;
    static constexpr double pulseBase = 10;

    static constexpr double pulsedBy(double timer) { return pulseBase + timer; }
    static constexpr bool isNamed(double state) { return state > notNamed; }
    static constexpr bool isPulsed(double state) { return state > pulseBase; }
    static constexpr double timerOf(double state) { return state - pulseBase; }
};

// The width of each pulse column of the pasteable code; a wider number shifts the
// columns after it.
inline constexpr std::size_t pulseColumnWidth = 6;
// The characters a pulse column of the code takes for `value`, its blank or minus
// sign included.
std::size_t pulseColumnChars(double value);

// The numeric value of a cell: the number, or the leading value of the text.
double cellValue(const Cell& cell);
// A pulse time of a pulsed W line converted to seconds in the order S, then M,
// then H, each read from the front once its letter is removed: 9M55S gives 9. A
// term without these letters stays text.
Cell pulseSeconds(std::string_view text);

// What the parse carries from one line to the next.
struct ParseState {
    // Outputs 1..6 of the last L or W line, and the mode of the last W line: a line
    // of another kind keeps them.
    std::array<double, outputCount + 1> outstate{};
    double mode = 0;
    // Kept between lines only to spare allocations.
    std::string text;
    std::vector<std::string_view> terms, ids;
};

// Fills `row` from `line` and appends the line's pasteable form to `code`: through
// parseFiledLine when the line is in its filed form, else parseAnyLine. Both give the
// same row, code and state for every line the first reads.
void parseLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code);
// A shortcut for a line in its filed form, read in place with no copy or split; false,
// with nothing changed, for any other line.
bool parseFiledLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code);
// Any line: upper-cased, split into terms and read term by term.
void parseAnyLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code);

// The pasteable code the compile writes for `line` after W lines that left `mode`.
std::string pasteableLine(std::string_view line, double mode);

// The order the compile's sort gives lines: order[k] is the index of the line that
// comes k-th. By the time term as text; lines that share a time take the order the
// sort's exchanges leave them in, which is not always the order they came in.
void timeOrder(std::span<const std::string> lines, std::span<std::size_t> order);
void timeOrder(std::span<const std::string_view> lines, std::span<std::size_t> order);

class Program {
public:
    // Provided, so that a program made as a value is not first zeroed whole (some 60 kB).
    Program() {}

    // Line i (0..proglast) as the last step left it; empty text for any other i.
    std::string_view line(int i) const;
    // The lines in order, each ended by a line end: after fullparse, the pasteable
    // code, in Latin-1.
    const std::string& code() const& { return code_; }
    std::string code() && { return std::move(code_); }
    int proglast() const { return proglast_; }
    const Schedule& sched() const { return sched_; }
    int nextstep() const { return nextstep_; }
    // The first line whose time, compared as text, is later than `time`; -1: none.
    int firstLaterThan(std::string_view time) const;

    // Grows with every display, so a window knows when to show the code again.
    unsigned long revision() const { return revision_; }
    // The lists of the last combine: the code is out of date once they differ.
    const CommandLists& source() const { return source_; }

private:
    // The compile's steps. The session's compile buttons take them one by one on its
    // program; everyone else compiles through `compile`.
    friend class Session;
    friend std::optional<Program> compile(CommandLists lists, const Clock& clock, MessageBox& messages);

    // Refuses, with a message and nothing changed, more than progCapacity lines.
    bool combine(CommandLists lists, MessageBox& messages);
    void sort();
    void display();
    void fullparse();
    void syncup(const Clock& clock);
    // combine, sort, fullparse, syncup; false when combine refused.
    bool compile(CommandLists lists, MessageBox& messages, const Clock& clock);

    // The lines in one text, so that a compile makes one allocation for them, not
    // one a line: line i runs from lineStart_[i] to the line end before lineStart_[i + 1].
    std::string code_;
    std::array<std::size_t, progCapacity + 1> lineStart_{};
    int proglast_ = -1;
    Schedule sched_;
    int nextstep_ = 0;

    unsigned long revision_ = 0;
    CommandLists source_;
};

// The compile: combine, sort, fullparse, and syncup by `clock`. None, said through
// `messages`, when the lists hold more lines than the controller takes. The program
// keeps the lists as its source: pass them moved when they are not needed after.
std::optional<Program> compile(CommandLists lists, const Clock& clock, MessageBox& messages);

} // namespace fh
