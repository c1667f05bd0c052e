#include "language/datcheck.h"

#include "language/terms.h"

#include <cmath>
#include <vector>

namespace fh {

namespace {

class Check {
public:
    void fail(std::string_view message)
    {
        result.dataok = 0;
        result.errmsg = message;
    }
    bool ok() const { return result.dataok == 1; }
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

bool inRange(const std::string& id)
{
    if (!isNumeric(id))
        return false;
    const double value = leadingValue(id);
    return value >= 1 && value <= 6;
}

std::vector<std::string> ids(const std::string& term)
{
    return term.empty() ? std::vector<std::string>{} : split(term, '/');
}

bool contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string without(std::string_view text, std::string_view letters)
{
    std::string out;
    for (char c : text)
        if (!contains(letters, c))
            out += c;
    return out;
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

} // namespace

CheckResult datcheck(std::string_view line)
{
    Check check;
    std::vector<std::string> terms = line.empty() ? std::vector<std::string>{} : split(upper(line), ',');
    if (terms.size() < 4) {
        check.fail(msg::missingData);
        return check.result;
    }

    const std::string_view letter = trim(terms[0]);
    if (terms[0].empty())
        check.fail(msg::missingData);
    else if (letter.size() != 1 || (letter != "T" && letter != "L" && letter != "W"))
        check.fail(msg::tlwOnly);
    if (!check.ok())
        return check.result;

    std::string hh, mm = "00", ss = "00";
    if (terms[1].empty()) {
        check.fail(msg::missingData);
    } else {
        const auto parts = split(terms[1], ':');
        hh = timeComponent(check, parts[0], 24);
        if (parts.size() > 1)
            mm = timeComponent(check, parts[1], 59);
        if (parts.size() > 2)
            ss = timeComponent(check, parts[2], 59);
    }

    if (letter == "T") {
        const double low = leadingValue(terms[2]);
        const double high = leadingValue(terms[3]);
        if (low < 32 || low > 110)
            check.fail(msg::lowTemp);
        if (high < 32 || high > 110)
            check.fail(msg::highTemp);
        if (high - low < 2)
            check.fail(msg::tooClose);
    } else if (letter == "W") {
        const auto valves = ids(terms[2]);
        if (valves.size() > 6) {
            check.fail(msg::tooManyValves);
            return check.result;
        }
        for (const auto& id : valves)
            if (!inRange(id))
                check.fail(msg::invalidValve);
        const std::string_view mode = trim(terms[3]);
        if (mode != "ON" && mode != "OFF" && !mode.starts_with('P')) {
            check.fail(msg::waterMode);
            return check.result;
        }
        if (mode.starts_with('P')) {
            const std::string timer = without(mode, "P");
            if (!isNumeric(timer)) {
                check.fail(msg::pulseFormat);
            } else {
                const double value = leadingValue(timer);
                if (value != std::floor(value))
                    check.fail(msg::pulseFormat);
                else if (value > 6 || value < 1)
                    check.fail(msg::sixTimers);
            }
            if (terms.size() > 6) {
                check.fail(msg::tooManyValveTerms);
                return check.result;
            }
            if (terms.size() > 4) {
                pulseTerm(check, terms[4], true);
                if (terms.size() > 5)
                    pulseTerm(check, terms[5], false);
                else
                    check.fail(msg::missingData);
            }
        }
    } else if (letter == "L") {
        const auto relays = ids(terms[2]);
        if (relays.size() > 7) {
            check.fail(msg::tooManyRelays);
            return check.result;
        }
        for (const auto& id : relays)
            if (!inRange(id))
                check.fail(msg::invalidRelay);
        const std::string_view state = trim(terms[3]);
        if (state != "ON" && state != "OFF") {
            check.fail(msg::lightState);
            return check.result;
        }
    }

    if (check.ok()) {
        terms[1] = hh + ":" + mm + ":" + ss;
        check.result.cmdline = join(terms, ',');
    }
    return check.result;
}

} // namespace fh
