#include "language/datcheck.h"

#include "language/commandlists.h"
#include "language/terms.h"

#include <cmath>
#include <utility>
#include <vector>

namespace fh {

namespace {

class Check {
public:
    void fail(std::string_view message)
    {
        result.dataok = false;
        result.errmsg = message;
    }
    bool ok() const { return result.dataok; }
    CheckResult result;
};

// One component of the time: format check, then range check, both always run.
std::string timeComponent(Check& check, const std::string& component, double limit)
{
    const double value = leadingValue(component);
    if (!isNumeric(component) && !trim(component).empty())
        check.fail(msg::militaryTime);
    if (value < 0 || value > limit)
        check.fail(msg::timeRange);
    return value >= 0 && value <= limit ? twoDigit(value) : std::string();
}

// A pulse term: a number with H, M or S. In the pulse-on term a leading H or M
// does not count as its unit.
void pulseTerm(Check& check, const std::string& term, bool onTerm)
{
    const std::string_view t = trim(term);
    const std::string_view unitArea = onTerm && !t.empty() ? t.substr(1) : t;
    const bool hasUnit = contains(t, 'S') || contains(unitArea, 'H') || contains(unitArea, 'M');
    if (!hasUnit)
        check.fail(msg::needUnit);
    if (!isNumeric(without(t, "HMS")))
        check.fail(onTerm ? msg::onPulseFormat : msg::offPulseFormat);
}

// Output ids of term 3, at most `most` of them, each 1 to 6. False when the check
// stops here: too many ids.
bool outputIds(Check& check, const std::string& term, std::size_t most, std::string_view tooMany,
               std::string_view invalid)
{
    const auto ids = term.empty() ? std::vector<std::string>{} : split(term, '/');
    if (ids.size() > most) {
        check.fail(tooMany);
        return false;
    }
    for (const auto& id : ids) {
        const double value = leadingValue(id);
        if (!isNumeric(id) || value < 1 || value > outputCount)
            check.fail(invalid);
    }
    return true;
}

// The normalised time of term 2, its components checked.
std::string timeOfDay(Check& check, const std::string& term)
{
    if (term.empty()) {
        check.fail(msg::missingData);
        return {};
    }
    const auto parts = split(term, ':');
    const std::string hh = timeComponent(check, parts[0], 24);
    const std::string mm = parts.size() > 1 ? timeComponent(check, parts[1], 59) : "00";
    const std::string ss = parts.size() > 2 ? timeComponent(check, parts[2], 59) : "00";
    return hh + ":" + mm + ":" + ss;
}

void temperatures(Check& check, const std::vector<std::string>& terms)
{
    const double low = leadingValue(terms[2]);
    const double high = leadingValue(terms[3]);
    if (low < lowestSetPoint || low > highestSetPoint)
        check.fail(msg::lowTemp);
    if (high < lowestSetPoint || high > highestSetPoint)
        check.fail(msg::highTemp);
    if (high - low < 2)
        check.fail(msg::tooClose);
}

// Mode P1..P6 and its pulse terms.
void pulseMode(Check& check, std::string_view mode, const std::vector<std::string>& terms)
{
    const std::string timer = without(mode, "P");
    if (!isNumeric(timer)) {
        check.fail(msg::pulseFormat);
    } else {
        const double value = leadingValue(timer);
        if (value != std::floor(value))
            check.fail(msg::pulseFormat);
        else if (value > timerCount || value < 1)
            check.fail(msg::sixTimers);
    }
    if (terms.size() > 6) {
        check.fail(msg::tooManyValveTerms);
        return;
    }
    if (terms.size() > 4) {
        pulseTerm(check, terms[4], true);
        if (terms.size() > 5)
            pulseTerm(check, terms[5], false);
        else
            check.fail(msg::missingData);
    }
}

void water(Check& check, const std::vector<std::string>& terms)
{
    if (!outputIds(check, terms[2], 6, msg::tooManyValves, msg::invalidValve))
        return;
    const std::string_view mode = trim(terms[3]);
    if (mode.starts_with('P'))
        pulseMode(check, mode, terms);
    else if (mode != "ON" && mode != "OFF")
        check.fail(msg::waterMode);
}

void lights(Check& check, const std::vector<std::string>& terms)
{
    // Seven, not six: with ids of 1 to 6 a seventh can only repeat one.
    if (!outputIds(check, terms[2], 7, msg::tooManyRelays, msg::invalidRelay))
        return;
    const std::string_view state = trim(terms[3]);
    if (state != "ON" && state != "OFF")
        check.fail(msg::lightState);
}

// Reads a line already in its filed form from the front, byte by byte.
class FiledReader {
public:
    explicit FiledReader(std::string_view line) : rest(line) {}

    bool end() const { return rest.empty(); }
    template <std::size_t N>
    bool take(const char (&text)[N])
    {
        if (!startsWithLiteral(rest, text))
            return false;
        rest.remove_prefix(N - 1);
        return true;
    }
    // A whole number of `fewest` to `most` digits; none otherwise.
    int digits(std::size_t fewest, std::size_t most)
    {
        std::size_t n = 0;
        int value = 0;
        while (n < rest.size() && n < most && rest[n] >= '0' && rest[n] <= '9')
            value = value * 10 + (rest[n++] - '0');
        if (n < fewest || (n < rest.size() && rest[n] >= '0' && rest[n] <= '9'))
            return -1;
        rest.remove_prefix(n);
        return value;
    }
    // Output ids 1..6 split by '/', at least one and at most `most`.
    bool ids(int most)
    {
        int count = 0;
        do {
            const int id = digits(1, 1);
            if (id < 1 || id > outputCount || ++count > most)
                return false;
        } while (take("/"));
        return true;
    }
    bool twoDigits(int most)
    {
        const int value = digits(2, 2);
        return value >= 0 && value <= most;
    }
    // A pulse time: digits and one unit.
    bool pulse() { return digits(1, 9) >= 0 && (take("S") || take("M") || take("H")); }

private:
    std::string_view rest;
};

bool inRange(int setPoint) { return setPoint >= lowestSetPoint && setPoint <= highestSetPoint; }

} // namespace

bool alreadyFiled(std::string_view line)
{
    FiledReader r(line);
    const char letter = line.empty() ? '\0' : line[0];
    if (!(r.take("T,") || r.take("L,") || r.take("W,")))
        return false;
    if (!(r.twoDigits(24) && r.take(":") && r.twoDigits(59) && r.take(":") && r.twoDigits(59) && r.take(",")))
        return false;
    if (letter == 'T') {
        const int low = r.digits(1, 3);
        if (!r.take(","))
            return false;
        const int high = r.digits(1, 3);
        return r.end() && inRange(low) && inRange(high) && high - low >= 2;
    }
    if (!r.ids(letter == 'L' ? 7 : 6) || !r.take(","))
        return false;
    if (r.take("ON") || r.take("OFF"))
        return r.end();
    if (letter == 'L' || !r.take("P"))
        return false;
    const int timer = r.digits(1, 1);
    if (timer < 1 || timer > timerCount)
        return false;
    return r.end() || (r.take(",") && r.pulse() && r.take(",") && r.pulse() && r.end());
}

CheckResult datcheck(std::string_view line)
{
    if (alreadyFiled(line))
        return {true, {}, std::string(line)};
    return fullCheck(line);
}

CheckResult fullCheck(std::string_view line)
{
    Check check;
    if (line.find_first_of("\r\n") != std::string_view::npos) {
        check.fail(msg::lineBreak);
        return check.result;
    }
    std::vector<std::string> terms = line.empty() ? std::vector<std::string>{} : split(upper(line), ',');
    if (terms.size() < 4) {
        check.fail(msg::missingData);
        return check.result;
    }

    const std::string_view letter = trim(terms[0]);
    if (terms[0].empty())
        check.fail(msg::missingData);
    else if (letter != "T" && letter != "L" && letter != "W")
        check.fail(msg::tlwOnly);
    if (!check.ok())
        return check.result;

    std::string time = timeOfDay(check, terms[1]);
    if (letter == "T")
        temperatures(check, terms);
    else if (letter == "W")
        water(check, terms);
    else
        lights(check, terms);

    if (check.ok()) {
        terms[1] = std::move(time);
        check.result.cmdline = join(terms, ',');
    }
    return check.result;
}

} // namespace fh
