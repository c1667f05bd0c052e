#include "checks/lint.h"

#include "compiler/day.h"
#include "compiler/program.h"
#include "language/datcheck.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <map>
#include <utility>

namespace fh {

namespace {

using Item = Finding::Item;
using Outputs = std::array<bool, outputCount + 1>; // index 1..6: the output is named

// A line that passed the check, read as the compiler reads it.
struct Good {
    std::size_t line;
    Item item;
    std::string letter;         // T, L or W
    std::string state;          // term 4, trimmed
    std::optional<int> second;  // of the day; 24:MM:SS is 00:MM:SS
    bool at24 = false;          // the time is 24:MM:SS
    Outputs named{};
    bool namesOutput = false;
    bool pulsed = false;
    double timer = 0;
    std::optional<std::string> extra; // the terms after the fourth, as filed; none when there are none
    // Both pulse times, in seconds, when the pulsed line gives them.
    std::optional<std::pair<double, double>> times;
};

// A text cut into pieces at a separator, without allocating: the check runs on every
// change in the windows.
class Pieces {
public:
    explicit Pieces(std::string_view text) : rest(text) {}
    // Whether a piece is left; an empty text holds one empty piece.
    bool any() const { return !done; }
    // What follows the pieces taken so far.
    std::string_view remainder() const { return done ? std::string_view() : rest; }
    std::string_view next(char separator)
    {
        if (done)
            return {};
        const auto at = rest.find(separator);
        const std::string_view piece = rest.substr(0, at);
        done = at == std::string_view::npos;
        rest = done ? std::string_view() : rest.substr(at + 1);
        return piece;
    }

private:
    std::string_view rest;
    bool done = false;
};

double seconds(std::string_view pulseTerm) { return cellValue(pulseSeconds(pulseTerm)); }

Good readGood(std::string_view filed, std::size_t line, Item item)
{
    Good g{line, item, {}, {}, {}, false, {}, false, false, 0, std::nullopt, std::nullopt};
    Pieces terms(filed);
    g.letter = std::string(trim(terms.next(',')));
    const std::string_view time = terms.next(',');
    g.second = secondOfDay(time);
    g.at24 = time.starts_with("24:");
    const std::string_view ids = terms.next(',');
    g.state = std::string(trim(terms.next(',')));
    if (terms.any())
        g.extra = std::string(terms.remainder());
    if ((g.letter == "L" || g.letter == "W") && !ids.empty()) {
        for (Pieces id(ids); id.any();) {
            const long long n = roundHalfEven(leadingValue(id.next('/')), 0, outputCount + 1);
            if (n >= 1 && n <= outputCount) {
                g.named[static_cast<std::size_t>(n)] = true;
                g.namesOutput = true;
            }
        }
    }
    g.pulsed = g.letter == "W" && g.state.starts_with('P');
    if (g.pulsed) {
        g.timer = leadingValue(without(g.state, "P"));
        Pieces times(g.extra ? std::string_view(*g.extra) : std::string_view());
        const std::string_view on = times.next(',');
        if (g.extra && times.any())
            g.times = std::pair{seconds(on), seconds(times.next(','))};
    }
    return g;
}

// "valve 3", "lights 1, 2 and 4", then "is" or "are" when `verb`.
std::string outputNames(std::string_view letter, const Outputs& named, bool verb = false)
{
    std::vector<std::string> numbers;
    for (std::size_t k = 1; k < named.size(); ++k)
        if (named[k])
            numbers.push_back(std::to_string(k));
    std::string text = letter == "L" ? "light" : "valve";
    if (numbers.size() > 1)
        text += 's';
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? " " : i + 1 == numbers.size() ? " and " : ", ") + numbers[i];
    if (verb)
        text += numbers.size() > 1 ? " are" : " is";
    return text;
}

// A duration in the largest unit that holds it whole: "10 minutes", "9 seconds".
std::string spoken(double secs)
{
    const auto in = [&](double unit, const char* name) {
        const double count = secs / unit;
        return plainNumber(count) + " " + name + (count == 1 ? "" : "s");
    };
    if (secs > 0 && secs < 1e15 && std::fmod(secs, 3600) == 0)
        return in(3600, "hour");
    if (secs > 0 && secs < 1e15 && std::fmod(secs, 60) == 0)
        return in(60, "minute");
    return in(1, "second");
}

bool isUnit(char c) { return c == 'H' || c == 'M' || c == 'S'; }

double unitSeconds(char unit) { return unit == 'H' ? 3600 : unit == 'M' ? 60 : 1; }

// A pulse term that reads as it looks: a number, then one letter.
bool plainPulse(std::string_view term)
{
    return term.size() >= 2 && isUnit(term.back()) && isNumeric(term.substr(0, term.size() - 1));
}

// What a term of numbers and letters in turn means to a reader: 9M55S is 595
// seconds, H3 three hours. None when it is no such term.
std::optional<double> meant(std::string_view term)
{
    const bool letterFirst = !term.empty() && isUnit(term.front());
    double total = 0;
    std::size_t i = 0;
    while (i < term.size()) {
        char unit = 0;
        if (letterFirst)
            unit = term[i++];
        const std::size_t start = i;
        while (i < term.size() && !isUnit(term[i]))
            ++i;
        const std::string_view number = term.substr(start, i - start);
        if (!letterFirst) {
            if (i == term.size())
                return std::nullopt;
            unit = term[i++];
        }
        if (!isNumeric(number))
            return std::nullopt;
        total += leadingValue(number) * unitSeconds(unit);
    }
    if (term.empty() || !std::isfinite(total))
        return std::nullopt;
    return total;
}

std::string pulseTextMessage(std::string_view term)
{
    std::string message = std::string(term) + " reads as " + spoken(seconds(term)) + "; write ";
    const auto intended = meant(term);
    return message + (intended ? pulseTerm(*intended) : "one number and one letter H, M or S, such as 10M");
}

// A wider number pushes every later column of its code line out of place.
bool fitsColumn(double secs) { return std::isfinite(secs) && pulseColumnChars(secs) <= pulseColumnWidth; }

std::string tooWideMessage(std::string_view term, double secs)
{
    return std::string(term) + " is " + plainNumber(secs) + " seconds, wider than the " +
           std::to_string(pulseColumnWidth) +
           " characters of its column in the code: every later column of that code line shifts";
}

std::string ignoredMessage(const Good& g)
{
    const std::string extra(trim(g.extra.value_or("")));
    const std::string message = extra + " after " + (g.letter == "T" ? "the set-points" : g.state) + " does nothing";
    if (g.letter == "T" || !g.namesOutput)
        return message;
    return message + ": " + outputNames(g.letter, g.named, true) +
           (g.state == "ON" ? " not switched off by it" : " not switched on by it");
}

std::string_view listName(std::size_t list)
{
    static constexpr std::array<std::string_view, 3> names = {"T", "L", "W"};
    return list < names.size() ? names[list] : "?";
}

bool plainUnit(std::string_view unit) { return unit.empty() || unit == "F" || unit == "\xB0" "F" || unit == "\xB0"; }

// A pulse written on longer than off, as it was likely meant: off as long as the on
// time written, or a pulse as often.
struct Swapped {
    std::string_view on, off; // as written
    struct Reading {
        std::string times; // the two pulse terms, "5S,10M"
        std::string what;  // "off 10 minutes"
    };
    std::array<Reading, 2> readings;
};

// The terms of a pulsed line whose clean on time is longer than its clean off time.
std::optional<Swapped> swapped(const Good& g)
{
    if (!g.pulsed || !g.namesOutput || !g.times || g.times->second <= 0 || g.times->first <= g.times->second)
        return std::nullopt;
    Pieces terms(*g.extra);
    const std::string_view on = trim(terms.next(','));
    const std::string_view off = trim(terms.next(','));
    if (!plainPulse(on) || !plainPulse(off))
        return std::nullopt;
    const std::string once = std::string(off) + ",";
    return Swapped{on, off,
                   {{{once + std::string(on), "off " + spoken(g.times->first)},
                     {once + pulseTerm(g.times->first - g.times->second), "every " + spoken(g.times->first)}}}};
}

std::optional<std::string> swappedMessage(const Good& g)
{
    const auto s = swapped(g);
    if (!s)
        return std::nullopt;
    const std::string timer = "P" + plainNumber(g.timer) + ",";
    return "on " + std::string(s->on) + ", off " + std::string(s->off) + ": " +
           outputNames(g.letter, g.named, true) + " on for " + spoken(g.times->first) + " and off for only " +
           spoken(g.times->second) + " each time; on and off swapped? write " + timer + s->readings[0].times +
           " (" + s->readings[0].what + ") or " + timer + s->readings[1].times + " (" + s->readings[1].what + ")";
}

// How a set-point term of a T line as written is read, when it is read otherwise than
// it looks. `converted` is the term once a typed line's °C were read.
std::optional<std::string> unitMessage(std::string_view term, std::string_view converted, bool typed,
                                       const Display& display)
{
    const std::string compact = upper(without(term, " "));
    const std::string_view number = std::string_view(compact).substr(0, numberLength(compact));
    const std::string_view unit = std::string_view(compact).substr(number.size());
    const bool celsius = typed && display.temperature == Display::Temperature::Celsius;
    if (celsius && converted != term)
        return std::nullopt;
    if (celsius && (unit.empty() || unit == "\xB0"))
        return std::string(term) + " is read as \xB0" "F (" + display.withUnit(leadingValue(term)) + "); write " +
               std::string(number) + "C if you meant \xB0" "C";
    if (plainUnit(unit))
        return std::nullopt;
    return std::string(term) + " reads as " + display.withUnit(leadingValue(term));
}

// The findings of a line as written that passed the check as `filed`, read as `good`.
std::vector<Finding> writtenFindings(const WrittenLine& written, std::string_view filed, const Good& good,
                                     const Display& display)
{
    std::vector<Finding> found;
    const auto add = [&](std::string_view code, std::string message) {
        found.push_back({0, std::nullopt, Finding::Warning, code, std::move(message)});
    };
    Pieces terms(written.text);
    Pieces filedTerms(filed);
    filedTerms.next(',');
    terms.next(',');
    const std::string_view time = trim(terms.next(','));
    if (!plainTime(time))
        add(code::timeText, std::string(time) + " reads as " + std::string(filedTerms.next(',')));
    if (good.letter == "T") {
        const std::string converted = written.typed ? display.typed(written.text).line : std::string();
        Pieces convertedTerms(converted);
        convertedTerms.next(',');
        convertedTerms.next(',');
        for (int k = 0; k < 2; ++k) {
            const std::string_view term = trim(terms.next(','));
            const std::string_view read = trim(convertedTerms.next(','));
            if (auto message = unitMessage(term, read, written.typed, display))
                add(code::unitText, std::move(*message));
        }
    }
    if (const auto message = swappedMessage(good))
        add(code::pulseSwapped, *message);
    return found;
}

// What the line check says of a line, as views into a result kept elsewhere.
struct LineVerdict {
    std::string_view error; // empty for a good line
    std::string_view filed;
};

LineVerdict verdictOf(const CheckResult& r) { return r.dataok ? LineVerdict{{}, r.cmdline} : LineVerdict{r.errmsg, {}}; }

class Checker {
public:
    // `memo` holds the line check's results for the lines of `program`; `written`
    // their lines as written and the file's notes.
    Checker(const CommandLists& program, const Display& shown, const LineMemo& memo, const AsWritten& written)
        : lists(program), display(shown), fileLines(written.fileLines(program))
    {
        std::size_t start = 1;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            starts[k] = start;
            start += lists[k].size() + 1;
        }
        readLines(memo, written);
        for (const LoadNote& note : written.fileNotes(lists))
            readNote(note);
        std::ranges::move(anew, std::back_inserter(found));
        checkSections();
        checkTimes();
        checkMidnight();
        checkOutputs();
        checkOverlaps();
        checkTimers();
        checkPulses();
        // After the program's own findings at the same line.
        std::ranges::move(asWritten, std::back_inserter(found));
        std::ranges::stable_sort(found, {}, &Finding::line);
    }

    std::vector<Finding> found;

private:
    const CommandLists& lists;
    const Display& display;
    std::array<std::size_t, 3> starts{};
    // A file's blank lines hold no item, so its items stand where the read found them.
    const std::array<std::vector<std::size_t>, 3>* fileLines;
    std::vector<Good> goods;
    std::vector<Finding> anew;
    std::vector<Finding> asWritten;

    void add(std::size_t line, std::optional<Item> item, Finding::Severity severity, std::string_view code,
             std::string message)
    {
        found.push_back({line, item, severity, code, std::move(message)});
    }
    void add(const Good& g, Finding::Severity severity, std::string_view code, std::string message)
    {
        add(g.line, g.item, severity, code, std::move(message));
    }

    std::size_t lineOf(std::size_t k, std::size_t j) const { return fileLines ? (*fileLines)[k][j] : starts[k] + j; }

    std::optional<Item> itemAt(std::size_t line) const
    {
        for (std::size_t k = 0; k < lists.size(); ++k) {
            if (!fileLines) {
                if (line >= starts[k] && line - starts[k] < lists[k].size())
                    return Item{k, line - starts[k]};
                continue;
            }
            const auto& lines = (*fileLines)[k];
            if (const auto at = std::ranges::lower_bound(lines, line); at != lines.end() && *at == line)
                return Item{k, static_cast<std::size_t>(at - lines.begin())};
        }
        return std::nullopt;
    }

    void readLines(const LineMemo& memo, const AsWritten& written)
    {
        const auto writtenLines = written.find(lists);
        std::size_t count = 0;
        for (std::size_t k = 0; k < lists.size(); ++k) {
            for (std::size_t j = 0; j < lists[k].size(); ++j) {
                const std::size_t line = lineOf(k, j);
                if (++count == progCapacity + 1)
                    add(line, Item{k, j}, Finding::Error, code::tooManyLines,
                        "more than " + std::to_string(progCapacity) +
                            " lines: the program cannot be compiled or sent");
                const LineVerdict verdict = verdictOf(memo.at(lists[k][j]));
                if (!verdict.error.empty()) {
                    add(line, Item{k, j}, Finding::Error, code::badLine, display.checkMessage(verdict.error));
                    continue;
                }
                goods.push_back(readGood(verdict.filed, line, Item{k, j}));
                const WrittenLine* as = writtenLines[k][j];
                if (!as)
                    continue;
                if (!as->typed && as->text != verdict.filed)
                    anew.push_back({line, Item{k, j}, Finding::Warning, code::filedAnew,
                                    "not in filed form; loaded as " + std::string(verdict.filed)});
                for (Finding& f : writtenFindings(*as, verdict.filed, goods.back(), display)) {
                    f.line = line;
                    f.item = Item{k, j};
                    asWritten.push_back(std::move(f));
                }
            }
        }
    }

    // A failing line is found again in the lists, and one filed anew by its item.
    void readNote(const LoadNote& note)
    {
        if (note.kind == LoadNote::NotLoaded)
            add(note.line, std::nullopt, Finding::Error, code::notLoaded, describe(note));
        else if (note.kind == LoadNote::ByteOrderMark)
            add(note.line, itemAt(note.line), Finding::Warning, code::byteOrderMark, describe(note));
    }

    void checkSections()
    {
        for (const Good& g : goods) {
            const int list = listOf(g.letter);
            if (list >= 0 && static_cast<std::size_t>(list) != g.item.list)
                add(g, Finding::Warning, code::wrongSection,
                    (g.letter == "L" ? "an " : "a ") + g.letter + " line in the " +
                        std::string(listName(g.item.list)) + " list; it belongs in the " + g.letter + " list");
        }
    }

    void checkTimes()
    {
        std::vector<std::pair<int, const Good*>> bySecond;
        for (const Good& g : goods)
            if (g.second)
                bySecond.emplace_back(*g.second, &g);
        std::ranges::stable_sort(bySecond, {}, &std::pair<int, const Good*>::first);
        for (std::size_t i = 0; i < bySecond.size();) {
            std::size_t end = i + 1;
            while (end < bySecond.size() && bySecond[end].first == bySecond[i].first)
                ++end;
            if (end - i > 1)
                for (std::size_t k = i; k < end; ++k)
                    add(*bySecond[k].second, Finding::Error, code::sameTime,
                        std::to_string(end - i) + " lines at " + display.time(bySecond[i].first) +
                            ": only the first takes effect; all but the first wait a day and hold back every "
                            "later line");
            i = end;
        }
    }

    // The code is sorted by the time text, so the 24:MM:SS lines come after the latest
    // other line. When the first of them, acting at 00:MM:SS, has passed by then, they
    // wait for the next day; there, the earliest other line waits for those later than
    // it, and so for another day: the program runs every second day. Rewritten as
    // 00:MM:SS, those later lines take their places in the day.
    void checkMidnight()
    {
        int earliest = secondsPerDay, latest = -1, first24 = secondsPerDay;
        for (const Good& g : goods)
            if (g.second && !g.at24) {
                earliest = std::min(earliest, *g.second);
                latest = std::max(latest, *g.second);
            } else if (g.second) {
                first24 = std::min(first24, *g.second);
            }
        if (first24 > latest)
            return;
        for (const Good& g : goods)
            if (g.at24 && g.second && *g.second > earliest) {
                const std::string then = formatTime(*g.second);
                add(g, Finding::Error, code::midnightWrap,
                    "24" + then.substr(2) + " comes last in the code; the lines before " + then +
                        " wait for it, so the program runs every second day; write " + then);
            }
    }

    void checkOutputs()
    {
        struct Use {
            const Good* first = nullptr;
            bool on = false, pulsed = false, off = false;
        };
        std::array<std::array<Use, outputCount + 1>, 2> uses{}; // lights, valves
        for (const Good& g : goods) {
            if (g.letter != "L" && g.letter != "W")
                continue;
            if (!g.namesOutput)
                add(g, Finding::Warning, code::noOutput,
                    std::string(g.letter == "L" ? "names no light" : "names no valve") + ": the line does nothing");
            auto& kind = uses[g.letter == "L" ? 0 : 1];
            for (std::size_t k = 1; k < kind.size(); ++k) {
                if (!g.named[k])
                    continue;
                Use& use = kind[k];
                if (!use.first)
                    use.first = &g;
                use.on = use.on || g.state == "ON";
                use.off = use.off || g.state == "OFF";
                use.pulsed = use.pulsed || g.pulsed;
            }
        }
        for (std::size_t kind = 0; kind < uses.size(); ++kind) {
            for (std::size_t k = 1; k < uses[kind].size(); ++k) {
                const Use& use = uses[kind][k];
                if ((use.on || use.pulsed) && !use.off)
                    add(*use.first, Finding::Warning, code::neverOff,
                        std::string(kind == 0 ? "light " : "valve ") + std::to_string(k) + " is " +
                            (use.on ? "switched on" : "pulsed") + " but no line switches it off");
            }
        }
    }

    // A valve switched on while a line before it in the day (round from the day before)
    // left it on: the waterings overlap, and the first OFF ends both.
    void checkOverlaps()
    {
        std::vector<const Good*> water;
        for (const Good& g : goods)
            if (g.letter == "W" && g.second)
                water.push_back(&g);
        std::ranges::stable_sort(water, {}, [](const Good* g) { return *g->second; });
        for (std::size_t k = 1; k <= outputCount; ++k) {
            std::vector<const Good*> naming;
            std::ranges::copy_if(water, std::back_inserter(naming), [k](const Good* g) { return g->named[k]; });
            for (std::size_t i = 0; naming.size() > 1 && i < naming.size(); ++i) {
                const Good& before = *naming[(i + naming.size() - 1) % naming.size()];
                const Good& g = *naming[i];
                if (g.state == "ON" && before.state == "ON")
                    add(g, Finding::Warning, code::overlap,
                        "valve " + std::to_string(k) + " is switched on at " + display.time(*g.second) +
                            " while still on from " + display.time(*before.second) +
                            ": the waterings overlap, and the first OFF ends both");
            }
        }
    }

    // Only a line that names a valve and gives an on time above zero sets its timer.
    static bool setsTimer(const Good& g) { return g.pulsed && g.namesOutput && g.times && g.times->first > 0; }

    void checkTimers()
    {
        // The times each timer is first set to, and whether another line sets others.
        struct Setting {
            std::pair<double, double> times;
            bool mixed = false;
        };
        std::map<double, Setting> settings;
        for (const Good& g : goods) {
            if (!setsTimer(g))
                continue;
            Setting& s = settings.try_emplace(g.timer, Setting{*g.times}).first->second;
            s.mixed = s.mixed || s.times != *g.times;
        }
        for (const Good& g : goods) {
            if (!setsTimer(g) || !settings.at(g.timer).mixed)
                continue;
            const std::string timer = "timer " + plainNumber(g.timer);
            add(g, Finding::Warning, code::timerConflict,
                timer + " is set to " + spoken(g.times->first) + " on, " + spoken(g.times->second) +
                    " off here and to other times elsewhere: the later line changes the pulsing of every valve on " +
                    timer);
        }
    }

    void checkPulses()
    {
        for (const Good& g : goods) {
            if (!g.pulsed) {
                if (g.extra && g.extra->find_first_not_of(" ,") != std::string::npos)
                    add(g, Finding::Warning, code::ignoredTerms, ignoredMessage(g));
                continue;
            }
            const std::string timer = "timer " + plainNumber(g.timer);
            if (g.namesOutput && g.times && g.times->first <= 0)
                add(g, Finding::Warning, code::pulseTimes,
                    "an on time of " + spoken(g.times->first) + " leaves " + timer +
                        " as it was, so the valves pulse by earlier times");
            else if (g.namesOutput && g.times && g.times->second <= 0)
                add(g, Finding::Warning, code::pulseTimes,
                    "an off time of " + spoken(g.times->second) + ": " + outputNames(g.letter, g.named, true) +
                        " never closed");
            if (g.times) {
                Pieces terms(*g.extra);
                const std::string_view on = trim(terms.next(','));
                const std::string_view off = trim(terms.next(','));
                if (!fitsColumn(g.times->first))
                    add(g, Finding::Warning, code::pulseTimes, tooWideMessage(on, g.times->first));
                else if (!fitsColumn(g.times->second))
                    add(g, Finding::Warning, code::pulseTimes, tooWideMessage(off, g.times->second));
            }
            const std::string_view extra = g.extra ? std::string_view(*g.extra) : std::string_view();
            for (Pieces terms(extra); g.extra && terms.any();)
                if (const std::string_view term = trim(terms.next(',')); !plainPulse(term))
                    add(g, Finding::Warning, code::pulseText, pulseTextMessage(term));
        }
    }
};

} // namespace

void LineMemo::update(const CommandLists& lists)
{
    // The nodes of lines still there move over; those of lines gone are dropped.
    std::unordered_map<std::string, CheckResult> kept;
    for (const auto& list : lists)
        for (const std::string& line : list) {
            if (kept.contains(line))
                continue;
            if (auto node = results.extract(line))
                kept.insert(std::move(node));
            else
                kept.emplace(line, datcheck(line));
        }
    results = std::move(kept);
}

const CheckResult& LineMemo::at(const std::string& line) const { return results.at(line); }

AsWritten::AsWritten(const ProgramRead& fileRead) : read(fileRead.lists), lineNumbers(fileRead.lineNumbers)
{
    const auto keys = keysOf(read);
    for (std::size_t k = 0; k < keys.size(); ++k)
        for (std::size_t j = 0; j < keys[k].size(); ++j)
            lines.emplace(keys[k][j], WrittenLine{std::string(fileRead.written(k, j)), false});
    std::ranges::copy_if(fileRead.notes, std::back_inserter(notes), [](const LoadNote& note) {
        return note.kind == LoadNote::NotLoaded || note.kind == LoadNote::ByteOrderMark;
    });
}

std::array<std::vector<AsWritten::Key>, 3> AsWritten::keysOf(const CommandLists& lists)
{
    std::array<std::vector<Key>, 3> keys;
    for (std::size_t k = 0; k < lists.size(); ++k) {
        std::map<std::string_view, std::size_t> alike;
        for (const std::string& item : lists[k])
            keys[k].emplace_back(k, item, alike[item]++);
    }
    return keys;
}

void AsWritten::typed(const CommandLists& lists, Item at, std::string text)
{
    auto keys = keysOf(lists);
    std::map<Key, WrittenLine> kept;
    for (const auto& list : keys)
        for (const Key& key : list)
            if (auto node = lines.extract(key))
                kept.insert(std::move(node));
    kept.insert_or_assign(std::move(keys[at.list][at.index]), WrittenLine{std::move(text), true});
    lines = std::move(kept);
}

std::array<std::vector<const WrittenLine*>, 3> AsWritten::find(const CommandLists& lists) const
{
    std::array<std::vector<const WrittenLine*>, 3> found;
    for (std::size_t k = 0; k < lists.size(); ++k)
        found[k].resize(lists[k].size());
    if (lines.empty())
        return found;
    const auto keys = keysOf(lists);
    for (std::size_t k = 0; k < keys.size(); ++k)
        for (std::size_t j = 0; j < keys[k].size(); ++j)
            if (const auto line = lines.find(keys[k][j]); line != lines.end())
                found[k][j] = &line->second;
    return found;
}

std::vector<LoadNote> AsWritten::fileNotes(const CommandLists& lists) const
{
    return lists == read ? notes : std::vector<LoadNote>{};
}

const std::array<std::vector<std::size_t>, 3>* AsWritten::fileLines(const CommandLists& lists) const
{
    for (std::size_t k = 0; k < read.size(); ++k)
        if (lineNumbers[k].size() != read[k].size())
            return nullptr;
    return lists == read ? &lineNumbers : nullptr;
}

std::vector<Finding> lint(const CommandLists& lists, const Display& display, const AsWritten& written,
                          LineMemo& memo)
{
    memo.update(lists);
    return std::move(Checker(lists, display, memo, written).found);
}

std::vector<Finding> lint(const ProgramRead& read, const Display& display)
{
    LineMemo memo;
    std::vector<Finding> found = lint(read.lists, display, AsWritten(read), memo);
    // Sent as it is, it would leave the controller with nothing to run.
    if (std::ranges::all_of(read.lists, &std::vector<std::string>::empty))
        found.insert(found.begin(), {1, std::nullopt, Finding::Error, code::emptyProgram,
                                     "the file holds no command line: there is no program"});
    return found;
}

std::vector<Finding> typedFindings(std::string_view typed, const Display& display)
{
    const CheckResult r = datcheck(display.typed(typed).line);
    const int list = r.dataok ? listOf(r.cmdline) : -1;
    if (list < 0)
        return {};
    CommandLists lists;
    const Item at{static_cast<std::size_t>(list), 0};
    lists[at.list].push_back(r.cmdline);
    AsWritten written;
    written.typed(lists, at, std::string(typed));
    LineMemo memo;
    std::vector<Finding> found = lint(lists, display, written, memo);
    // Alone, a line is also the whole program: what only the rest of a program decides is left out.
    static constexpr std::array ofTheLine = {code::timeText,   code::unitText,  code::pulseSwapped, code::noOutput,
                                             code::pulseTimes, code::pulseText, code::ignoredTerms};
    std::erase_if(found, [](const Finding& f) { return std::ranges::find(ofTheLine, f.code) == ofTheLine.end(); });
    for (Finding& f : found) {
        f.line = 0;
        f.item.reset();
    }
    return found;
}

namespace {

// The typed line with each term that reads otherwise than it looks written as it was
// likely meant: points in a time for colons, a bare set-point marked as Celsius, a pulse
// time of several numbers and letters as one.
std::string meantLine(std::string_view typed, const Display& display)
{
    std::vector<std::string> terms = split(typed, ',');
    if (terms.size() > 1 && !plainTime(terms[1])) {
        std::string colons(trim(terms[1]));
        std::ranges::replace(colons, '.', ':');
        if (plainTime(colons))
            terms[1] = colons;
    }
    const std::string letter = upper(trim(terms[0]));
    if (letter == "T" && display.temperature == Display::Temperature::Celsius)
        for (std::size_t k = 2; k < std::min<std::size_t>(terms.size(), 4); ++k) {
            const std::string compact = upper(without(terms[k], " "));
            const std::string_view number = std::string_view(compact).substr(0, numberLength(compact));
            const std::string_view unit = std::string_view(compact).substr(number.size());
            if (!number.empty() && (unit.empty() || unit == "\xB0"))
                terms[k] = std::string(number) + "C";
        }
    if (letter == "W")
        for (std::size_t k = 4; k < std::min<std::size_t>(terms.size(), 6); ++k) {
            const std::string term = upper(trim(terms[k]));
            if (const auto intended = plainPulse(term) ? std::nullopt : meant(term))
                terms[k] = pulseTerm(*intended);
        }
    return join(terms, ',');
}

bool slipped(std::string_view typed, const Display& display)
{
    return std::ranges::any_of(typedFindings(typed, display), changesMeaning);
}

} // namespace

std::vector<Fix> slipFixes(std::string_view typed, const Display& display)
{
    if (!slipped(typed, display))
        return {};
    const CheckResult r = datcheck(display.typed(meantLine(typed, display)).line);
    if (!r.dataok)
        return {};
    std::vector<Fix> fixes;
    const Good g = readGood(r.cmdline, 0, {0, 0});
    if (const auto s = swapped(g)) {
        // A filed pulsed line ends with its two pulse terms.
        const std::string head = r.cmdline.substr(0, r.cmdline.size() - g.extra->size());
        for (const auto& reading : s->readings)
            fixes.push_back({head + reading.times, reading.what});
    } else {
        fixes.push_back({r.cmdline, {}});
    }
    for (Fix& fix : fixes)
        fix.line = display.asTyped(fix.line);
    // Only a line that reads as it looks is offered.
    std::erase_if(fixes, [&](const Fix& fix) { return slipped(fix.line, display); });
    return fixes;
}

bool changesMeaning(const Finding& finding)
{
    return finding.code == code::timeText || finding.code == code::unitText || finding.code == code::pulseSwapped ||
           finding.code == code::pulseText;
}

std::string_view severityName(Finding::Severity severity)
{
    return severity == Finding::Error ? "error" : "warning";
}

std::string findingText(const Finding& finding)
{
    return std::string(severityName(finding.severity)) + ": " + finding.message + " [" + std::string(finding.code) +
           "]";
}

std::vector<Finding> lint(const CommandLists& lists, const Display& display)
{
    LineMemo memo;
    return lint(lists, display, AsWritten{}, memo);
}

} // namespace fh
