#pragma once

// The compiled program. combine copies the three command lists into `prog`, sort
// orders it by the time term (compared as text), fullparse turns each line into a
// row of `sched` and rewrites it in the fixed-width pasteable form, and syncup finds
// from the clock the first line still to come (`nextstep`). After each of the first
// three, display shows `prog` in the pasteable code list (List5).

#include "language/commandlists.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace fh {

class Clock;
class MessageBox;

inline constexpr int progCapacity = 101;
inline constexpr int schedColumns = 13;

inline constexpr std::string_view noProgramPresent = "no program present!";
inline constexpr std::string_view tooManyCommands =
    "too many commands: the program holds at most 101 lines";

// A cell of the schedule holds a text or a number; a never-written cell is empty text.
using Cell = std::variant<std::string, double>;

// The numeric value of a cell: the number, or the leading value of the text.
double cellValue(const Cell& cell);

class Program {
public:
    // Refuses, with a message and nothing changed, more than progCapacity lines.
    bool combine(const CommandLists& lists, MessageBox& messages);
    void sort();
    void display();
    void fullparse();
    void syncup(const Clock& clock);
    // combine, sort, fullparse, syncup; false when combine refused.
    bool compile(const CommandLists& lists, MessageBox& messages, const Clock& clock);

    std::array<std::string, progCapacity> prog;
    int proglast = -1;
    std::array<std::array<Cell, schedColumns>, progCapacity> sched;
    int nextstep = 0;

    // The pasteable code list shows prog[0..proglast] whenever it is visible.
    bool list5Visible = false;
    int list5Selected = -1;
    // Grows with every display, so a window knows when to refill the list.
    unsigned long displayed = 0;
};

} // namespace fh
