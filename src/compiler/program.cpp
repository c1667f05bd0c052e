#include "compiler/program.h"

#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    const char* start = text.data();
    const char* const end = start + text.size();
    for (const char* at = start; at != end; ++at)
        if (*at == separator) {
            pieces.emplace_back(start, static_cast<std::size_t>(at - start));
            start = at + 1;
        }
    pieces.emplace_back(start, static_cast<std::size_t>(end - start));
}

unsigned char upperByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    // Without a branch, so that a line is upper-cased many bytes at a time.
    return static_cast<unsigned char>(byte - (static_cast<unsigned char>(byte - 'a') < 26 ? 'a' - 'A' : 0));
}

// `line` upper-cased into `text`, and the terms of `text` between commas into `terms`.
void upperAndSplit(std::string_view line, std::string& text, std::vector<std::string_view>& terms)
{
    text.resize(line.size());
    std::transform(line.begin(), line.end(), text.begin(), [](char c) { return static_cast<char>(upperByte(c)); });
    splitInto(text, ',', terms);
}

// The time term of a line as the sort compares it: its text upper-cased (empty when
// missing), byte by byte. Its first eight bytes, packed big-endian, decide nearly
// every comparison; only terms that share them are compared in full.
struct TimeKey {
    std::uint64_t head;
    std::string_view term;
};

int compareTerms(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (const unsigned char x = upperByte(a[i]), y = upperByte(b[i]); x != y)
            return x < y ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

TimeKey timeKey(std::string_view line)
{
    TimeKey key{};
    const auto first = std::find(line.begin(), line.end(), ',');
    if (first == line.end())
        return key;
    key.term = std::string_view(first + 1, std::find(first + 1, line.end(), ','));
    for (std::size_t i = 0; i < sizeof key.head; ++i)
        key.head = key.head << 8 | (i < key.term.size() ? upperByte(key.term[i]) : 0U);
    return key;
}

double saturated(double value)
{
    constexpr double most = std::numeric_limits<double>::max();
    return value > most ? most : value < -most ? -most : value;
}

// Room for one field of a number: the padding, the blank or sign, and the fixed
// form of a double (the largest has 309 digits, the smallest fraction some 330 places).
constexpr std::size_t fieldRoom = 8 + 400;

// writeNumber for a value that is not whole or beyond 1e18: rare, and kept apart
// so that its large buffer does not weigh on every call.
char* writeFixed(char* at, double value, std::size_t width, bool blank)
{
    char text[400];
    char* first = text + 1; // room for the blank
    char* const end = std::to_chars(first, text + sizeof text, value, std::chars_format::fixed).ptr;
    if (blank)
        *--first = ' ';
    for (auto length = static_cast<std::size_t>(end - first); length < width; ++length)
        *at++ = ' ';
    return std::copy(first, end, at);
}

// A pasteable line of small numbers: the letter, the time, eight fields of two and three of six.
constexpr std::size_t pasteableRoom = 64;

// The widest field the code pads: every field's padding is one store of this many blanks.
constexpr std::size_t widestField = 8;
static_assert(pulseColumnWidth <= widestField);

// Writes Str() of a number right-aligned in `width` at `at` and returns the end: a
// leading blank (dropped when `trimmed`) or the minus sign, then the shortest
// decimal form, with no point for a whole value. `at` has room for the field and
// for `widestField` characters.
inline char* writeNumber(char* at, double value, std::size_t width, bool trimmed)
{
    if (value == 0)
        value = 0; // no "-0"
    const bool blank = value >= 0 && !trimmed;
    // Below 1e18 the cast is defined and exact. Most cells are small whole numbers:
    // their digits are written in place, with no call to the general conversion.
    if (!(std::fabs(value) < 1e18 && static_cast<double>(static_cast<long long>(value)) == value))
        return writeFixed(at, value, width, blank);
    const long long integer = static_cast<long long>(value);
    unsigned long long rest = integer < 0 ? 0ULL - static_cast<unsigned long long>(integer)
                                          : static_cast<unsigned long long>(integer);
    std::size_t length = integer < 0 || blank ? 2 : 1;
    for (unsigned long long bound = 10; rest >= bound; bound *= 10) // below 1e18: no overflow
        ++length;
    std::memcpy(at, "        ", widestField);
    char* const end = at + std::max(width, length);
    char* first = end;
    // Two digits at a time, from the table of 00..99.
    static constexpr char pairs[] = "0001020304050607080910111213141516171819"
                                    "2021222324252627282930313233343536373839"
                                    "4041424344454647484950515253545556575859"
                                    "6061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    for (; rest >= 100; rest /= 100) {
        const auto pair = static_cast<std::size_t>(rest % 100) * 2;
        *--first = pairs[pair + 1];
        *--first = pairs[pair];
    }
    if (rest >= 10) {
        *--first = pairs[rest * 2 + 1];
        *--first = pairs[rest * 2];
    } else {
        *--first = static_cast<char>('0' + rest);
    }
    if (integer < 0)
        *--first = '-';
    return end;
}

// The states an L or W line gives outputs 1..6 in `outstate`, and the mode a W line
// leaves in `mode`; an output number outside 1..6 names no output, but a W line
// still takes its mode from it.
void nameOutputs(char letter, std::string_view state, const std::vector<std::string_view>& ids,
                 std::array<double, outputCount + 1>& outstate, double& mode)
{
    for (int k = 1; k <= outputCount; ++k)
        outstate[static_cast<std::size_t>(k)] = OutputState::notNamed;
    double given = OutputState::off;
    if (letter == 'L')
        given = state == "ON" ? OutputState::on : OutputState::off;
    else if (state == "ON")
        given = OutputState::on;
    else if (state == "OFF")
        given = OutputState::off;
    else if (state.starts_with('P'))
        given = saturated(OutputState::pulsedBy(leadingValueWithout(state, 'P')));
    else
        return; // a W line of no known state names nothing and keeps the mode
    if (letter == 'W' && !ids.empty())
        mode = given;
    for (const auto& id : ids)
        if (const long long n = roundHalfEven(leadingValue(id), 0, outputCount + 1); n >= 1 && n <= outputCount)
            outstate[static_cast<std::size_t>(n)] = given;
}

// The numbers of a row's pasteable code, from column output(1) to phase: the six
// states (or the set-points) and the mode, then the three pulse columns.
constexpr std::size_t rowNumberCount = column::phase - column::output(1) + 1;
using RowNumbers = std::array<double, rowNumberCount>;
constexpr std::size_t numberOf(std::size_t c) { return c - column::output(1); }

RowNumbers rowNumbers(const ScheduleRow& row)
{
    RowNumbers numbers;
    for (std::size_t c = column::output(1); c <= column::phase; ++c)
        numbers[numberOf(c)] = cellValue(row[c]);
    return numbers;
}

// Whole numbers -9..99 as the code writes them two wide, from -9 on.
constexpr auto twoWide = [] {
    std::array<char, 2 * 109> text{};
    for (int value = -9; value <= 99; ++value) {
        const auto at = static_cast<std::size_t>(value + 9) * 2;
        text[at] = value < 0 ? '-' : value < 10 ? ' ' : static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + (value < 0 ? -value : value % 10));
    }
    return text;
}();

// Appends a row in the pasteable form: the letter and the time as written, the six state
// columns (or set-points) and the mode as two-wide numbers, the pulse columns six wide.
void writePasteable(std::string& out, std::string_view type, std::string_view time, const RowNumbers& numbers)
{
    // The line is gathered on the stack and goes to `out` in one piece: the numbers
    // after room for the letter and time of the filed shape, "T,hh:mm:ss,".
    constexpr std::size_t head = 11;
    char line[head + rowNumberCount * (fieldRoom + 1)];
    char* const numbersStart = line + head;
    char* at = numbersStart;
    for (std::size_t c = column::output(1); c <= column::mode; ++c) {
        const double value = numbers[numberOf(c)];
        // An output state (-1, 0, 1, 11..16) fills the two places itself.
        if (value >= -9 && value <= 99 && value == static_cast<double>(static_cast<int>(value))) {
            std::memcpy(at, &twoWide[static_cast<std::size_t>(static_cast<int>(value) + 9) * 2], 2);
            at += 2;
        } else {
            at = writeNumber(at, value, 2, true);
        }
        *at++ = ',';
    }
    for (std::size_t c = column::pulseOn; c <= column::phase; ++c)
        at = writeNumber(at, numbers[numberOf(c)], pulseColumnWidth, false);
    if (type.size() == 1 && time.size() == 8) {
        line[0] = type[0];
        line[1] = ',';
        std::memcpy(line + 2, time.data(), 8); // of a known size: no call
        line[10] = ',';
        out.append(line, at);
        return;
    }
    out += type;
    out += ',';
    out += time;
    out += ',';
    out.append(numbersStart, at);
}

void setText(Cell& cell, std::string_view text)
{
    auto* held = std::get_if<std::string>(&cell);
    if (!held)
        held = &cell.emplace<std::string>();
    // Most cell texts are a few bytes (a letter, a time), copied byte by byte into the
    // string's own room: inlined where their sizes are constants, the copy is a move or
    // two. (std::string::assign inlined there draws a false -Wrestrict from GCC 12.)
    if (text.size() > 15) {
        held->assign(text);
        return;
    }
    held->resize(text.size());
    char* const to = held->data();
    for (std::size_t i = 0; i < text.size(); ++i)
        to[i] = text[i];
}

} // namespace

void parseLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code)
{
    if (!parseFiledLine(line, row, parse, code))
        parseAnyLine(line, row, parse, code);
}

namespace {

// What the readers of filed numbers give for any other text; below every number they read.
constexpr double notFiled = -1;

// The value of 1 to `most` (at most 9) digits and nothing else; notFiled for any other text.
double digitsValue(std::string_view text, std::size_t most)
{
    if (text.empty() || text.size() > most)
        return notFiled;
    std::uint32_t value = 0;
    for (const char c : text) {
        const auto digit = static_cast<std::uint32_t>(static_cast<unsigned char>(c) - '0');
        if (digit > 9)
            return notFiled;
        value = value * 10 + digit;
    }
    return value;
}

// A pulse time as filed, digits and one unit, in seconds; notFiled for any other text.
double filedPulse(std::string_view text)
{
    const double value = text.empty() ? notFiled : digitsValue(text.substr(0, text.size() - 1), 9);
    if (value == notFiled)
        return notFiled;
    switch (text.back()) {
    case 'S':
        return value;
    case 'M':
        return value * 60;
    case 'H':
        return value * 3600;
    default:
        return notFiled;
    }
}

// Writes what a T line gives its row: the set-points as written, zeros after them.
void fillTRow(ScheduleRow& row, std::string_view low, std::string_view high)
{
    setText(row[column::low], low);
    setText(row[column::high], high);
    for (int k = 3; k <= outputCount; ++k)
        row[column::output(k)] = 0.0;
    row[column::mode] = 0.0;
}

// What an L or W line in its filed form gives, read from after its time.
struct FiledOutputs {
    unsigned named = 0; // bit k: output k
    double given = OutputState::off;
    double onSeconds = 0, offSeconds = 0;
};

// Output numbers of one digit, 1 to 6, split by '/', then ON, OFF or (W only) P1..P6
// with no pulse times or two; false for any other text.
bool filedOutputs(char letter, std::string_view rest, FiledOutputs& outputs)
{
    std::size_t at = 0;
    for (;;) {
        if (at >= rest.size() || rest[at] < '1' || rest[at] > '0' + outputCount)
            return false;
        outputs.named |= 1U << (rest[at] - '0');
        if (++at < rest.size() && rest[at] == '/')
            ++at;
        else
            break;
    }
    if (at >= rest.size() || rest[at] != ',')
        return false;
    const std::string_view state = rest.substr(at + 1);
    if (isLiteral(state, "ON")) {
        outputs.given = OutputState::on;
        return true;
    }
    if (isLiteral(state, "OFF"))
        return true;
    if (letter != 'W' || state.size() < 2 || state[0] != 'P' || state[1] < '1' || state[1] > '0' + timerCount ||
        (state.size() > 2 && state[2] != ','))
        return false;
    outputs.given = OutputState::pulsedBy(state[1] - '0');
    if (state.size() == 2)
        return true;
    const std::string_view times = state.substr(3);
    const auto comma = times.find(',');
    if (comma == std::string_view::npos)
        return false;
    outputs.onSeconds = filedPulse(times.substr(0, comma));
    outputs.offSeconds = filedPulse(times.substr(comma + 1));
    return outputs.onSeconds != notFiled && outputs.offSeconds != notFiled;
}

} // namespace

// Runs for nearly every line of every compile. Everything it calls is inlined into it,
// so that the filed sizes (a one-letter type, an eight-byte time) are constants where
// its texts are read and copied: a tenth of a whole compile from a file.
[[gnu::flatten]] bool parseFiledLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code)
{
    // "X,hh:mm:ss," and at least two more bytes.
    if (line.size() < 13 || line[1] != ',' || line[4] != ':' || line[7] != ':' || line[10] != ',')
        return false;
    const char letter = line[0];
    const std::string_view type = line.substr(0, 1), time = line.substr(2, 8);
    if ((letter != 'T' && letter != 'L' && letter != 'W') || !isDigit(time[0]) || !isDigit(time[1]) ||
        !isDigit(time[3]) || !isDigit(time[4]) || !isDigit(time[6]) || !isDigit(time[7]))
        return false;
    const std::string_view rest = line.substr(11);
    // The line is read whole before anything is written.
    RowNumbers numbers{};
    FiledOutputs outputs;
    const auto comma = rest.find(','); // after a T line's low set-point
    if (letter == 'T') {
        const double low = comma == std::string_view::npos ? notFiled : digitsValue(rest.substr(0, comma), 3);
        const double high = low == notFiled ? notFiled : digitsValue(rest.substr(comma + 1), 3);
        if (high == notFiled)
            return false;
        numbers[numberOf(column::low)] = low;
        numbers[numberOf(column::high)] = high;
    } else if (filedOutputs(letter, rest, outputs)) {
        // Picked from a pair, not by a branch: which outputs a line names follows no pattern.
        const std::array<double, 2> states{OutputState::notNamed, outputs.given};
        for (int k = 1; k <= outputCount; ++k) {
            const double state = states[outputs.named >> k & 1U];
            numbers[numberOf(column::output(k))] = state;
            parse.outstate[static_cast<std::size_t>(k)] = state;
        }
        if (letter == 'W')
            parse.mode = outputs.given;
        numbers[numberOf(column::mode)] = letter == 'W' ? outputs.given : 0.0;
        numbers[numberOf(column::pulseOn)] = outputs.onSeconds;
        numbers[numberOf(column::pulseOff)] = outputs.offSeconds;
    } else {
        return false;
    }

    setText(row[column::letter], type);
    setText(row[column::time], time);
    for (std::size_t c = column::output(1); c <= column::phase; ++c)
        row[c] = numbers[numberOf(c)];
    if (letter == 'T')
        fillTRow(row, rest.substr(0, comma), rest.substr(comma + 1));
    writePasteable(code, type, time, numbers);
    return true;
}

void parseAnyLine(std::string_view line, ScheduleRow& row, ParseState& parse, std::string& code)
{
    std::string& text = parse.text;
    auto& terms = parse.terms;
    upperAndSplit(line, text, terms);
    const std::string_view t3 = term(terms, 3);
    splitInto(t3, '/', parse.ids);
    if (t3.empty())
        parse.ids.clear();
    const std::string_view type = trim(term(terms, 1));
    const std::string_view state = trim(term(terms, 4));
    // T, L or W; anything else acts as none of them.
    const char letter = type.size() == 1 ? type[0] : '\0';

    if (letter == 'L' || letter == 'W')
        nameOutputs(letter, state, parse.ids, parse.outstate, parse.mode);

    // Every column is written once; a text cell keeps its buffer.
    setText(row[column::letter], type);
    setText(row[column::time], term(terms, 2));
    if (letter == 'T') {
        fillTRow(row, t3, term(terms, 4));
    } else {
        for (int k = 1; k <= outputCount; ++k)
            row[column::output(k)] = parse.outstate[static_cast<std::size_t>(k)];
        row[column::mode] = letter == 'W' ? parse.mode : 0.0;
    }
    const bool pulsed = letter == 'W' && contains(state, 'P');
    for (std::size_t n = 5; n <= 7; ++n) {
        Cell& cell = row[column::pulseOn + n - 5];
        if (n > terms.size())
            cell = 0.0;
        else if (pulsed)
            cell = pulseSeconds(terms[n - 1]);
        else
            setText(cell, terms[n - 1]);
    }
    writePasteable(code, type, term(terms, 2), rowNumbers(row));
}

std::string pasteableLine(std::string_view line, double mode)
{
    ParseState state;
    state.mode = mode;
    ScheduleRow row;
    std::string code;
    parseLine(line, row, state, code);
    return code;
}

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
    if (contains(text, 'S'))
        return leadingValueWithout(text, 'S');
    if (contains(text, 'M'))
        return saturated(leadingValueWithout(text, 'M') * 60);
    if (contains(text, 'H'))
        return saturated(leadingValueWithout(text, 'H') * 3600);
    return std::string(text);
}

std::string_view Program::line(int i) const
{
    if (i < 0 || i > proglast_)
        return {};
    const auto at = static_cast<std::size_t>(i);
    return std::string_view(code_).substr(lineStart_[at], lineStart_[at + 1] - 1 - lineStart_[at]);
}

bool Program::combine(CommandLists lists, MessageBox& messages)
{
    std::size_t total = 0, size = 0;
    for (const auto& list : lists)
        for (const auto& item : list) {
            ++total;
            size += item.size() + 1;
        }
    if (total > static_cast<std::size_t>(progCapacity)) {
        messages.show(std::string(tooManyCommands));
        return false;
    }
    source_ = std::move(lists);
    code_.clear();
    code_.reserve(size);
    std::size_t k = 0;
    lineStart_[0] = 0;
    for (const auto& list : source_)
        for (const auto& item : list) {
            code_ += item;
            code_ += '\n';
            lineStart_[++k] = code_.size();
        }
    proglast_ = static_cast<int>(k) - 1;
    display();
    return true;
}

namespace {

template <typename Line>
void timeOrderOf(std::span<const Line> lines, std::span<std::size_t> order)
{
    // Exchange sort on the time term compared as text. The terms are ranked first, so
    // the exchanges compare small numbers, and when no two are equal the ranking alone
    // is the order the exchanges would reach.
    // Sorted as pairs of a key's first bytes and its line's index, so that nearly every
    // comparison reads 16 bytes in place; the whole terms only when those bytes tie.
    struct Ranked {
        std::uint64_t head;
        std::size_t index;
    };
    const std::size_t last = std::min(lines.size(), order.size());
    std::array<Ranked, progCapacity> ranked;
    std::array<std::string_view, progCapacity> terms;
    std::array<std::size_t, progCapacity> rank;
    if (last > ranked.size())
        return;
    for (std::size_t i = 0; i < last; ++i) {
        const TimeKey key = timeKey(lines[i]);
        ranked[i] = {key.head, i};
        terms[i] = key.term;
    }
    const auto compare = [&terms](const Ranked& a, const Ranked& b) {
        return a.head != b.head ? (a.head < b.head ? -1 : 1) : compareTerms(terms[a.index], terms[b.index]);
    };
    std::sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(last),
              [&compare](const Ranked& a, const Ranked& b) { return compare(a, b) < 0; });
    bool tied = false;
    for (std::size_t k = 0; k < last; ++k) {
        const bool same = k > 0 && compare(ranked[k], ranked[k - 1]) == 0;
        tied = tied || same;
        order[k] = ranked[k].index;
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

} // namespace

void timeOrder(std::span<const std::string> lines, std::span<std::size_t> order) { timeOrderOf(lines, order); }
void timeOrder(std::span<const std::string_view> lines, std::span<std::size_t> order) { timeOrderOf(lines, order); }

void Program::sort()
{
    const auto last = static_cast<std::size_t>(proglast_ + 1);
    std::array<std::string_view, progCapacity> lines;
    for (std::size_t i = 0; i < last; ++i)
        lines[i] = line(static_cast<int>(i));
    std::array<std::size_t, progCapacity> order;
    timeOrder(std::span<const std::string_view>(lines.data(), last), order);
    std::string sorted;
    sorted.reserve(code_.size());
    for (std::size_t i = 0; i < last; ++i) {
        sorted += lines[order[i]];
        sorted += '\n';
        lineStart_[i + 1] = sorted.size();
    }
    code_ = std::move(sorted);
    display();
}

void Program::display()
{
    ++revision_;
}

void Program::fullparse()
{
    // The rows of the lines are written whole; the rows after them are cleared.
    for (auto row = sched_.begin() + proglast_ + 1; row != sched_.end(); ++row)
        for (std::size_t c = column::letter; c <= column::phase; ++c)
            (*row)[c] = 0.0;
    ParseState state;
    state.terms.reserve(8);
    state.ids.reserve(8);
    const auto last = static_cast<std::size_t>(proglast_ + 1);
    std::array<std::size_t, progCapacity + 1> starts{};
    std::string parsed;
    parsed.reserve(last * (pasteableRoom + 1));
    for (std::size_t i = 0; i < last; ++i) {
        parseLine(line(static_cast<int>(i)), sched_[i], state, parsed);
        parsed += '\n';
        starts[i + 1] = parsed.size();
    }
    code_ = std::move(parsed);
    lineStart_ = starts;
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

bool Program::compile(CommandLists lists, MessageBox& messages, const Clock& clock)
{
    if (!combine(std::move(lists), messages))
        return false;
    sort();
    fullparse();
    syncup(clock);
    return true;
}

std::optional<Program> compile(CommandLists lists, const Clock& clock, MessageBox& messages)
{
    // Built in place and returned by its one name: a program is some 60 kB, too much
    // to move, and a second return statement would move it.
    std::optional<Program> program(std::in_place);
    if (!program->compile(std::move(lists), messages, clock))
        program.reset();
    return program;
}

} // namespace fh
