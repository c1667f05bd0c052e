#include "compiler/program.h"

#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace fh {

namespace {

// Term n (1-based) of a line, or empty text when the line has fewer terms.
std::string_view term(const std::vector<std::string_view>& terms, std::size_t n)
{
    return n >= 1 && n <= terms.size() ? terms[n - 1] : std::string_view();
}

// Pieces of `text` between separators, empty ones included, into `pieces`.
void splitInto(std::string_view text, char separator, std::vector<std::string_view>& pieces)
{
    pieces.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == separator) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    pieces.push_back(text.substr(start));
}

// The time term of a line as the sort compares it: upper-cased, empty when missing.
std::string timeKey(std::string_view line)
{
    const auto first = std::find(line.begin(), line.end(), ',');
    if (first == line.end())
        return {};
    return upper(std::string_view(first + 1, std::find(first + 1, line.end(), ',')));
}

double saturated(double value)
{
    constexpr double most = std::numeric_limits<double>::max();
    return value > most ? most : value < -most ? -most : value;
}

// Room for one field of a number: the padding, the blank or sign, and the fixed
// form of a double (the largest has 309 digits, the smallest fraction some 330 places).
constexpr std::size_t fieldRoom = 8 + 400;

// Writes Str() of a number right-aligned in `width` at `at` and returns the end: a
// leading blank (dropped when `trimmed`) or the minus sign, then the shortest
// decimal form, with no point for a whole value. A whole value's digits are
// counted first, so they are written in place.
char* writeNumber(char* at, double value, std::size_t width, bool trimmed)
{
    if (value == 0)
        value = 0; // no "-0"
    const bool blank = value >= 0 && !trimmed;
    // Below 1e18 the conversion is defined, and gives the value back only when whole.
    const long long integer = std::fabs(value) < 1e18 ? static_cast<long long>(value) : 0;
    const bool whole = static_cast<double>(integer) == value;
    char fraction[400];
    char* fractionEnd = fraction;
    std::size_t length = blank ? 1 : 0;
    if (whole) {
        length += integer < 0 ? 2 : 1;
        for (long long rest = integer / 10; rest != 0; rest /= 10)
            ++length;
    } else {
        fractionEnd = std::to_chars(fraction, fraction + sizeof fraction, value, std::chars_format::fixed).ptr;
        length += static_cast<std::size_t>(fractionEnd - fraction);
    }
    for (; length < width; ++length)
        *at++ = ' ';
    if (blank)
        *at++ = ' ';
    if (whole)
        return std::to_chars(at, at + fieldRoom, integer).ptr;
    return std::copy(fraction, fractionEnd, at);
}

// The states an L or W line gives outputs 1..6 in `outstate`, and the mode a W line
// leaves in `mode`; an output number outside 1..6 names no output, but a W line
// still takes its mode from it.
void nameOutputs(std::string_view type, std::string_view state, const std::vector<std::string_view>& ids,
                 std::array<double, outputCount + 1>& outstate, double& mode)
{
    for (int k = 1; k <= outputCount; ++k)
        outstate[static_cast<std::size_t>(k)] = OutputState::notNamed;
    for (const auto& id : ids) {
        const long long n = roundHalfEven(leadingValue(id), 0, outputCount + 1);
        const bool named = n >= 1 && n <= outputCount;
        const auto out = static_cast<std::size_t>(named ? n : 0);
        double given = mode;
        if (type == "L")
            given = state == "ON" ? OutputState::on : OutputState::off;
        else if (state == "ON")
            given = mode = OutputState::on;
        else if (state == "OFF")
            given = mode = OutputState::off;
        else if (state.starts_with('P'))
            given = mode = saturated(OutputState::pulsedBy(leadingValue(without(state, "P"))));
        else
            continue;
        if (named)
            outstate[out] = given;
    }
}

// A row in the pasteable form: the letter and the time as written, the six state
// columns (or set-points) and the mode as two-wide numbers, the pulse columns six wide.
void writePasteable(std::string& out, const ScheduleRow& row, std::string_view type, std::string_view time)
{
    // The numbers are gathered on the stack and go to `out` in one piece.
    char numbers[(column::phase - column::output(1) + 1) * (fieldRoom + 1)];
    char* at = numbers;
    for (std::size_t c = column::output(1); c <= column::mode; ++c) {
        at = writeNumber(at, cellValue(row[c]), 2, true);
        *at++ = ',';
    }
    for (std::size_t c = column::pulseOn; c <= column::phase; ++c)
        at = writeNumber(at, cellValue(row[c]), pulseColumnWidth, false);
    out.assign(type);
    out += ',';
    out += time;
    out += ',';
    out.append(numbers, at);
}

// What one line leaves for the next while the program is parsed.
struct ParseState {
    // Outputs 1..6 of the last L or W line, and the mode of the last W line: a line
    // of another kind keeps them.
    std::array<double, outputCount + 1> outstate{};
    double mode = 0;
    // Kept between lines only to spare allocations.
    std::string text;
    std::vector<std::string_view> terms, ids;
};

// Fills the row of `line` and rewrites the line in its pasteable form.
void parseLine(std::string& line, ScheduleRow& row, ParseState& parse)
{
    std::string& text = parse.text;
    text = line;
    toUpper(text);
    auto& terms = parse.terms;
    splitInto(text, ',', terms);
    const std::string_view t3 = term(terms, 3);
    splitInto(t3, '/', parse.ids);
    if (t3.empty())
        parse.ids.clear();
    const std::string_view type = trim(term(terms, 1));
    const std::string_view state = trim(term(terms, 4));

    if (type == "L" || type == "W")
        nameOutputs(type, state, parse.ids, parse.outstate, parse.mode);

    row[column::letter].emplace<std::string>(type);
    row[column::time].emplace<std::string>(term(terms, 2));
    if (type == "T") {
        row[column::low].emplace<std::string>(t3);
        row[column::high].emplace<std::string>(term(terms, 4));
    } else {
        for (int k = 1; k <= outputCount; ++k)
            row[column::output(k)] = parse.outstate[static_cast<std::size_t>(k)];
    }
    if (type == "W")
        row[column::mode] = parse.mode;
    const bool pulsed = type == "W" && contains(state, 'P');
    for (std::size_t n = 5; n <= terms.size() && n <= 7; ++n)
        row[column::pulseOn + n - 5] = pulsed ? pulseSeconds(terms[n - 1]) : Cell(std::string(terms[n - 1]));
    writePasteable(line, row, type, term(terms, 2));
}

} // namespace

std::size_t pulseColumnChars(double value)
{
    char field[fieldRoom + 1];
    return static_cast<std::size_t>(writeNumber(field, value, 0, false) - field);
}

double cellValue(const Cell& cell)
{
    if (const auto* number = std::get_if<double>(&cell))
        return *number;
    return leadingValue(std::get<std::string>(cell));
}

Cell pulseSeconds(std::string_view text)
{
    Cell cell = std::string(text);
    if (contains(text, 'S'))
        cell = leadingValue(without(text, "S"));
    if (const auto* t = std::get_if<std::string>(&cell); t && contains(*t, 'M'))
        cell = saturated(leadingValue(without(*t, "M")) * 60);
    if (const auto* t = std::get_if<std::string>(&cell); t && contains(*t, 'H'))
        cell = saturated(leadingValue(without(*t, "H")) * 3600);
    return cell;
}

bool Program::combine(const CommandLists& lists, MessageBox& messages)
{
    std::size_t total = 0;
    for (const auto& list : lists)
        total += list.size();
    if (total > static_cast<std::size_t>(progCapacity)) {
        messages.show(std::string(tooManyCommands));
        return false;
    }
    std::size_t k = 0;
    for (const auto& list : lists)
        for (const auto& item : list)
            prog_[k++] = item;
    proglast_ = static_cast<int>(k) - 1;
    source_ = lists;
    display();
    return true;
}

void timeOrder(std::span<const std::string> lines, std::span<std::size_t> order)
{
    // Exchange sort on the time term compared as text. The terms are ranked first, so
    // the exchanges compare small numbers, and when no two are equal the ranking alone
    // is the order the exchanges would reach.
    const std::size_t last = std::min(lines.size(), order.size());
    std::array<std::string, progCapacity> keys;
    std::array<std::size_t, progCapacity> rank;
    if (last > keys.size())
        return;
    for (std::size_t i = 0; i < last; ++i) {
        order[i] = i;
        keys[i] = timeKey(lines[i]);
    }
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(last),
              [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    bool tied = false;
    for (std::size_t k = 0; k < last; ++k) {
        const bool same = k > 0 && keys[order[k]] == keys[order[k - 1]];
        tied = tied || same;
        rank[order[k]] = same ? rank[order[k - 1]] : k;
    }
    if (!tied)
        return;
    for (std::size_t i = 0; i < last; ++i)
        order[i] = i;
    for (std::size_t a = 0; a + 1 < last; ++a)
        for (std::size_t b = a + 1; b < last; ++b)
            if (rank[a] > rank[b]) {
                std::swap(rank[a], rank[b]);
                std::swap(order[a], order[b]);
            }
}

void Program::sort()
{
    // It moves line numbers, not texts; the lines take their places at the end.
    const auto last = static_cast<std::size_t>(proglast_ + 1);
    std::array<std::size_t, progCapacity> order;
    timeOrder(std::span<const std::string>(prog_.data(), last), order);
    std::array<std::string, progCapacity> sorted;
    for (std::size_t i = 0; i < last; ++i)
        sorted[i] = std::move(prog_[order[i]]);
    for (std::size_t i = 0; i < last; ++i)
        prog_[i] = std::move(sorted[i]);
    display();
}

void Program::display()
{
    ++revision_;
}

void Program::fullparse()
{
    for (auto& row : sched_)
        for (std::size_t c = column::letter; c <= column::phase; ++c)
            row[c] = 0.0;
    ParseState state;
    for (int line = 0; line <= proglast_; ++line) {
        const auto i = static_cast<std::size_t>(line);
        parseLine(prog_[i], sched_[i], state);
    }
    display();
}

int Program::firstLaterThan(std::string_view now) const
{
    for (int i = 0; i <= proglast_ && i < progCapacity; ++i) {
        const auto* time = std::get_if<std::string>(&sched_[static_cast<std::size_t>(i)][column::time]);
        if (time && *time > now)
            return i;
    }
    return -1;
}

void Program::syncup(const Clock& clock)
{
    // No later line leaves nextstep as it was.
    if (const int next = firstLaterThan(formatTime(clock.secondsOfDay())); next >= 0)
        nextstep_ = next;
}

bool Program::compile(const CommandLists& lists, MessageBox& messages, const Clock& clock)
{
    if (!combine(lists, messages))
        return false;
    sort();
    fullparse();
    syncup(clock);
    return true;
}

} // namespace fh
