#include "compiler/decode.h"

#include "compiler/program.h"
#include "language/datcheck.h"
#include "language/terms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace fh {

namespace {

// Columns 2 to 11 of a schedule row, as numbers.
using Numbers = std::array<double, 10>;
constexpr std::size_t modeAt = column::mode - column::output(1);
constexpr std::size_t pulseAt = column::pulseOn - column::output(1);

// The last field holds three numbers, each begun by a blank or by its minus sign: a
// number longer than its six places leaves no blank before the next one.
std::vector<std::string_view> pulseNumbers(std::string_view field)
{
    std::vector<std::string_view> pieces;
    std::size_t i = 0;
    while (i < field.size()) {
        if (field[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t start = i++;
        while (i < field.size() && field[i] != ' ' && field[i] != '-')
            ++i;
        pieces.push_back(field.substr(start, i - start));
    }
    return pieces;
}

bool isState(double value, bool valve)
{
    if (value == OutputState::notNamed || value == OutputState::off || value == OutputState::on)
        return true;
    return valve && value == std::floor(value) && value >= OutputState::pulsedBy(1) &&
           value <= OutputState::pulsedBy(timerCount);
}

// Terms 5 to 7 as plain numbers, leaving out the zeros at the end that an absent term
// gives too.
std::string plainTerms(const Numbers& n)
{
    std::size_t count = 3;
    while (count > 0 && n[pulseAt + count - 1] == 0)
        --count;
    std::string terms;
    for (std::size_t i = 0; i < count; ++i) {
        terms += ',';
        terms += plainNumber(n[pulseAt + i]);
    }
    return terms;
}

struct Rebuilt {
    std::string line;
    std::string reason; // why there is none
};

Rebuilt failed(std::string_view reason) { return {{}, std::string(reason)}; }

// The outputs of an L or W row and the state they share: "1/3/5,ON", "2,P1,3S,600S".
// `mode` is the mode the W rows before left, and becomes this row's.
Rebuilt outputs(const Numbers& n, bool valves, double& mode)
{
    std::string ids;
    double state = OutputState::notNamed;
    for (std::size_t k = 0; k < outputCount; ++k) {
        if (!isState(n[k], valves))
            return failed(notAState);
        if (n[k] == OutputState::notNamed)
            continue;
        if (state != OutputState::notNamed && n[k] != state)
            return failed(statesDiffer);
        state = n[k];
        if (!ids.empty())
            ids += '/';
        ids += std::to_string(k + 1);
    }
    // A W line that passes the check and names no valve has no term 3, so it leaves the
    // mode as it was (a valve out of 1-6 would set it, but fails the check).
    const bool keepsMode = valves && state == OutputState::notNamed;
    const double wanted = !valves ? 0 : keepsMode ? mode : state;
    if (n[modeAt] != wanted)
        return failed(keepsMode ? modeNotKept : modeDiffers);
    if (valves)
        mode = wanted;
    if (!OutputState::isPulsed(state))
        return {ids + (state == OutputState::on ? ",ON" : ",OFF") + plainTerms(n), {}};
    if (n[pulseAt + 2] != 0)
        return failed(thirdPulseNumber);
    std::string line = ids + ",P" + plainNumber(OutputState::timerOf(state));
    if (n[pulseAt] != 0 || n[pulseAt + 1] != 0)
        for (const double seconds : {n[pulseAt], n[pulseAt + 1]}) {
            line += ',';
            line += plainNumber(seconds);
            line += 'S';
        }
    return {line, {}};
}

// A field after the time: the letter and the time are written back as they were read.
std::string fieldName(std::string_view letter, std::size_t field)
{
    if (field == column::mode)
        return "the mode";
    if (field >= column::pulseOn)
        return "the pulse columns";
    if (letter == "T" && field == column::low)
        return "the low set-point";
    if (letter == "T" && field == column::high)
        return "the high set-point";
    return "output " + std::to_string(field - column::output(1) + 1);
}

// The first field where a line of code and the code its rebuilt line compiles to differ.
std::string otherText(std::string_view code, std::string_view compiled)
{
    const auto given = split(code, ',');
    const auto again = split(compiled, ',');
    std::size_t field = 0;
    while (field < given.size() && field < again.size() && given[field] == again[field])
        ++field;
    const auto piece = [field](const std::vector<std::string>& fields) {
        return field < fields.size() ? fields[field] : std::string();
    };
    return "field " + std::to_string(field + 1) + " (" + fieldName(given.front(), field) + ") " +
           std::string(compilesOtherwise) + ": \"" + piece(given) + "\" comes back as \"" + piece(again) + "\"";
}

// The filed command line that compiles to one (trimmed, not empty) line of code, given
// the mode the W rows before it left.
Rebuilt rebuild(std::string_view code, double& mode)
{
    const double modeBefore = mode;
    // The letter, the time, seven numbers, and the three pulse numbers as one field.
    const auto fields = split(code, ',');
    if (fields.size() != 10)
        return failed(notCode);
    const std::string& letter = fields[column::letter];
    if (letter != "T" && letter != "L" && letter != "W")
        return failed(notCode);

    const auto pulses = pulseNumbers(fields.back());
    if (pulses.size() != 3)
        return failed(notCode);
    Numbers n{};
    for (std::size_t i = 0; i < n.size(); ++i) {
        const std::string_view text = i < pulseAt ? trim(fields[column::output(1) + i]) : pulses[i - pulseAt];
        if (!isNumeric(text))
            return failed(std::string(notANumber) + std::string(text.substr(0, 24)));
        n[i] = leadingValue(text);
    }

    std::string line = letter + "," + fields[column::time] + ",";
    if (letter == "T") {
        for (std::size_t i = 2; i <= modeAt; ++i) // outputs 3 to 6, and the mode
            if (n[i] != 0)
                return failed(setPointsOnly);
        line += plainNumber(n[0]) + "," + plainNumber(n[1]) + plainTerms(n);
    } else {
        Rebuilt named = outputs(n, letter == "W", mode);
        if (!named.reason.empty())
            return named;
        line += named.line;
    }
    CheckResult checked = datcheck(line);
    if (!checked.dataok)
        return failed(checked.errmsg);
    // Everything but the time is built in filed form already.
    if (checked.cmdline != line)
        return failed(notFiledTime);
    // A number read as its value (030, +30, 3e1) is written back in the compile's own form.
    if (const std::string compiled = pasteableLine(line, modeBefore); compiled != code)
        return failed(otherText(code, compiled));
    return {line, {}};
}

} // namespace

DecodedCode decode(std::string_view code)
{
    DecodedCode decoded;
    std::size_t number = 0;
    double mode = 0; // the one the W rows so far left
    CommandLists rows; // in the order of the code
    std::size_t count = 0;
    std::string lastTime;
    for (const std::string_view line : textLines(code)) {
        const std::string_view text = trim(line);
        ++number;
        if (text.empty())
            continue;
        Rebuilt row = count == static_cast<std::size_t>(progCapacity) ? failed(tooManyCommands) : rebuild(text, mode);
        if (!row.reason.empty())
            return {{}, Unreadable{number, std::move(row.reason)}};
        // The compile puts the lines in the order of their times, filed as hh:mm:ss.
        std::string time = row.line.substr(2, 8);
        if (time < lastTime)
            return {{}, Unreadable{number, std::string(notInOrder)}};
        lastTime = std::move(time);
        const auto list = static_cast<std::size_t>(listOf(row.line));
        rows[list].push_back(std::move(row.line));
        ++count;
    }
    // The compile sorts by time, and lines that share one take an order of the sort's
    // own. That order depends on the times alone, so within each list the lines at one
    // time are placed where the sort takes them out in the order of the code: a list's
    // lines at a time (the W rows among them, whose modes follow one another) come
    // back in the order of the code; only lines of different lists may change places.
    std::vector<std::string> lines;
    std::vector<std::size_t> groupStart; // of each line's run of its list's lines at its time
    for (const auto& list : rows)
        for (std::size_t i = 0; i < list.size(); ++i) {
            const bool continues = i > 0 && list[i].compare(2, 8, list[i - 1], 2, 8) == 0;
            groupStart.push_back(continues ? groupStart.back() : lines.size());
            lines.push_back(list[i]);
        }
    std::vector<std::size_t> order(lines.size());
    timeOrder(lines, order);
    std::vector<std::size_t> next = groupStart; // the run's next line in the order of the code
    std::vector<std::string> placed(lines.size());
    for (const std::size_t at : order)
        placed[at] = std::move(lines[next[groupStart[at]]++]);
    std::size_t at = 0;
    for (std::size_t list = 0; list < rows.size(); ++list)
        for (std::size_t i = 0; i < rows[list].size(); ++i)
            decoded.lists[list].push_back(std::move(placed[at++]));
    return decoded;
}

} // namespace fh
