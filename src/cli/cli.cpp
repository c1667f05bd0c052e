#include "cli/cli.h"
#include "checks/lint.h"
#include "cli/commands.h"
#include "compiler/day.h"
#include "compiler/house.h"
#include "compiler/sun.h"
#include "language/latin1.h"

#include "files/programfile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <ios>
#include <istream>
#include <ostream>
#include <utility>
#include <variant>

namespace fh::cli {

namespace {

struct Option {
    std::string_view name;
    bool required;
    // What a value must be, said when it is not; without a check any value serves.
    std::string wants;
    bool (*accepts)(const std::string&);
    // A switch, given or not, with no value.
    bool flag = false;
    // Another option that serves in its place, and may not be given beside it.
    std::string_view instead = {};
};

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    std::vector<Option> options;
    std::size_t operands;
    // The words after the operands are command lines, taken as they are, but for those
    // beginning "--": no command line does, so they are options, known or not.
    bool lines;
    int (*handler)(const Parsed&, Streams, const Devices&);
    // Any number of operands beyond the first `operands`.
    bool moreOperands = false;
};

// Where the error stream keeps whether loadOrReport wrote an error note.
int errorNoteSlot()
{
    static const int slot = std::ios_base::xalloc();
    return slot;
}

bool isClock(const std::string& text) { return parseClock(text).has_value(); }
bool isSeconds(const std::string& text) { return parseSeconds(text).has_value(); }
bool isSize(const std::string& text) { return parseSize(text).has_value(); }
bool isFormat(const std::string& text) { return text == "text" || text == "tsv"; }
bool isTextOrJson(const std::string& text) { return text == "text" || text == "json"; }
bool isRates(const std::string& text) { return !text.empty() && parseRates(text).has_value(); }
bool isFileName(const std::string& text) { return !text.empty(); }
constexpr int longestWait = 3600;
std::optional<int> waitSeconds(const std::string& text)
{
    int seconds = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, seconds);
    if (error != std::errc() || last != end || seconds < 0 || seconds > longestWait)
        return std::nullopt;
    return seconds;
}
bool isWait(const std::string& text) { return waitSeconds(text).has_value(); }
bool isDay(const std::string& text) { return parseDay(text).has_value(); }
bool isDate(const std::string& text) { return parseDate(text).has_value(); }
bool isExportFormat(const std::string& text) { return text == "csv" || text == "ics" || text == "vcd"; }

// Temperatures read in °C; a command of lines also reads °C set-points in them, and
// a ramp its ends.
const Option celsius{"--celsius", false, {}, nullptr, true};
const std::string fileName = "a file name";
// How a print on a printer ends: followed for so long, and pages without footers.
const Option wait{"--wait", false, "a whole number of seconds from 0 to " + std::to_string(longestWait), isWait};
const Option plain{"--plain", false, {}, nullptr, true};
const std::string ratesWanted = "OUTPUT=RATE pairs joined by commas (outputs 1 to 6, each once), as 1=2.5,3=10";

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"check", "fernhollow check [--celsius] [LINE...]",
         "check command lines, given as arguments or one per line on standard input",
         {celsius},
         0, true, check},
        {"compile", "fernhollow compile FILE [--next HH:MM:SS]",
         "print the pasteable code of a program file; --next also names the line due next",
         {{"--next", false, "a time HH:MM:SS", isClock}}, 1, false, compile},
        {"simulate", "fernhollow simulate FILE --at HH:MM:SS --seconds N [--preset]",
         "simulate from a time of day, printing each second in which the display changed; --preset starts "
         "from the program's state",
         {{"--at", true, "a time HH:MM:SS", isClock},
          {"--seconds", true, "a whole number from 0 to " + std::to_string(mostSeconds), isSeconds},
          {"--preset", false, {}, nullptr, true}},
         1, false, simulate},
        {"chart",
         "fernhollow chart FILE (-o OUT | --printer NAME [--wait SECONDS]) [--size WxH] [--no-totals] [--celsius] "
         "[--plain]",
         "draw the chart of a program file into a .png, .svg or .pdf file, or print it",
         {{"-o", true, fileName, isFileName, false, "--printer"},
          {"--printer", true, {}, nullptr, false, "-o"},
          {"--size", false, "WxH, each 1 to " + std::to_string(largestSide), isSize},
          {"--no-totals", false, {}, nullptr, true},
          celsius, wait, plain},
         1, false, chart},
        {"listing", "fernhollow listing FILE (-o OUT.pdf | --printer NAME [--wait SECONDS]) [--plain]",
         "print the listing of a program file into a PDF file, or on a printer",
         {{"-o", true, fileName, isFileName, false, "--printer"}, {"--printer", true, {}, nullptr, false, "-o"}, wait,
          plain},
         1, false, listing},
        {"add", "fernhollow add FILE [--celsius] [--as-read] [LINE...]",
         "enter command lines (arguments or standard input) into a program file; a line that reads otherwise "
         "than it looks stops the whole add, unless --as-read",
         {celsius, {"--as-read", false, {}, nullptr, true}},
         1, true, add},
        {"lint", "fernhollow lint FILE... [--format text|tsv]",
         "check whole program files for lines that will not do what they seem to",
         {{"--format", false, "text or tsv", isFormat}}, 1, false, lint, true},
        {"state", "fernhollow state FILE --at HH:MM:SS [--format text|json] [--celsius]",
         "show what the program has on at a time of day: lights, valves, set-points",
         {{"--at", true, "a time HH:MM:SS", isClock}, {"--format", false, "text or json", isTextOrJson},
          celsius},
         1, false, state},
        {"totals",
         "fernhollow totals FILE [--format text|json] [--celsius] [--flow RATES] [--watts RATES] [--ppfd RATES]",
         "show how long each light and valve runs in a day, the water, power and light it gives, the longest "
         "dark period and the range of the set-points",
         {{"--format", false, "text or json", isTextOrJson},
          celsius,
          {"--flow", false, ratesWanted, isRates},
          {"--watts", false, ratesWanted, isRates},
          {"--ppfd", false, ratesWanted, isRates}},
         1, false, totals},
        {"diff", "fernhollow diff A B [--format text|json] [--celsius]",
         "show what two programs do differently in the day, item by item, and the lines only one holds",
         {{"--format", false, "text or json", isTextOrJson}, celsius}, 2, false, diff},
        {"why", "fernhollow why FILE --at HH:MM:SS [ITEM...] [--day K] [--format text|json] [--celsius]",
         "say why each light, valve, timer and set-point is as it is at a time of day: the line that set it, "
         "since when, and what changes it next; items are light 1..6, valve 1..6, timer 1..6, low, high",
         {{"--at", true, "a time HH:MM:SS", isClock},
          {"--day", false, "a day of the cycle from 1", isDay},
          {"--format", false, "text or json", isTextOrJson},
          celsius},
         1, false, why, true},
        {"export", "fernhollow export FILE --format csv|ics|vcd [-o OUT] [--date YYYY-MM-DD] [--celsius]",
         "write the day as a table of its changes (csv), a calendar of what runs when (ics) or a waveform (vcd)",
         {{"--format", true, "csv, ics or vcd", isExportFormat},
          {"-o", false, fileName, isFileName},
          {"--date", false, "a date YYYY-MM-DD", isDate},
          celsius},
         1, false, exportDay},
        {"decode", "fernhollow decode CODEFILE [-o PROGRAM.fhp]",
         "rebuild a program file from pasteable code; without -o it is printed",
         {{"-o", false, fileName, isFileName}}, 1, false, decode},
        {"lines",
         "fernhollow lines KIND OPTION...\n"
         "  water  --valves IDS --at TIME[,TIME...] --for DURATION\n"
         "  mist   --valves IDS --timer N --from TIME --to TIME --on DURATION --every DURATION\n"
         "  lights --relays IDS --from TIME (--to TIME | --for DURATION)\n"
         "  ramp   --from LOW/HIGH --to LOW/HIGH --start TIME --for DURATION --steps N [--celsius]\n"
         "  ramp   --from LOW --to LOW --gap DEGREES --start TIME --for DURATION --steps N [--celsius]\n"
         "  setpoint --at TIME --heat DEGREES (--cool DEGREES | --gap DEGREES) [--celsius]\n"
         "  sun    --date YYYY-MM-DD --place LAT,LON[,ZONE] (--relays IDS | --valves IDS) --from WHEN --to WHEN\n"
         "         [--within DURATION]\n"
         "  sun    --date YYYY-MM-DD --place LAT,LON[,ZONE] --at WHEN --heat DEGREES (--cool DEGREES | --gap DEGREES)\n"
         "         [--within DURATION] [--celsius]\n"
         "  (WHEN: sunrise, sunset, dawn or dusk, with an offset as in sunset+1h, or a time)",
         "print the lines of a watering, a misting, a light period, a set-point ramp or a set-point change, "
         "or lines by the sun on a date, ready for add",
         {{"--valves", false, {}, nullptr}, {"--relays", false, {}, nullptr}, {"--timer", false, {}, nullptr},
          {"--at", false, {}, nullptr}, {"--from", false, {}, nullptr}, {"--to", false, {}, nullptr},
          {"--for", false, {}, nullptr}, {"--on", false, {}, nullptr}, {"--every", false, {}, nullptr},
          {"--start", false, {}, nullptr}, {"--steps", false, {}, nullptr}, {"--gap", false, {}, nullptr},
          {"--heat", false, {}, nullptr}, {"--cool", false, {}, nullptr}, {"--date", false, {}, nullptr},
          {"--place", false, {}, nullptr}, {"--within", false, {}, nullptr}, celsius},
         1, false, lines},
    };
    return table;
}

const Command* findCommand(const std::string& name)
{
    const auto& table = commands();
    const auto found = std::ranges::find(table, name, &Command::name);
    return found == table.end() ? nullptr : &*found;
}

bool isHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }
bool isVersion(const std::string& arg) { return arg == "--version"; }
bool isOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

void showHelp(std::ostream& out)
{
    out << "usage: fernhollow [FILE]              open the windows, with a program file loaded\n"
           "       fernhollow COMMAND [ARG...]    run one command without a window\n"
           "       fernhollow COMMAND --help      show the usage of a command\n"
           "       fernhollow --version           show the version\n"
           "commands:\n";
    for (const Command& command : commands())
        out << "  " << command.name << std::string(10 - std::min<std::size_t>(command.name.size(), 9), ' ')
            << command.summary << '\n';
}

// The arguments of a command read against its options, or the exit status once the
// reader has answered --help or said what is wrong, checked in the order given.
std::variant<Parsed, int> read(const Command& command, const Args& args, Streams io)
{
    // What is wrong, then how the command is used.
    const auto usage = [&](const std::string& reason) {
        io.err << "fernhollow: " << reason << '\n' << "usage: " << command.usage << '\n';
        return 2;
    };
    if (std::ranges::any_of(args, isHelp)) {
        io.out << "usage: " << command.usage << '\n' << command.summary << '\n';
        return 0;
    }
    Parsed parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto option = std::ranges::find(command.options, arg, &Option::name);
        // A command of lines takes its switches among them: no command line begins "--".
        if (command.lines ? !arg.starts_with("--") : !isOption(arg)) {
            if (!command.lines && !command.moreOperands && parsed.operands.size() == command.operands)
                return usage("one argument too many: '" + arg + "'");
            parsed.operands.push_back(arg);
            continue;
        }
        if (option == command.options.end()) {
            io.err << "fernhollow: unknown option '" << arg << "' (see fernhollow " << command.name << " --help)\n";
            return 2;
        }
        if (parsed.values.contains(option->name))
            return usage(std::string(option->name) + " given twice");
        if (option->flag) {
            parsed.values.emplace(option->name, std::string());
            continue;
        }
        if (i + 1 == args.size())
            return usage(std::string(option->name) + " wants a value");
        const std::string& value = args[++i];
        if (option->accepts && !option->accepts(value)) {
            io.err << "fernhollow: " << option->name << " wants " << option->wants << ", not "
                   << (value.empty() ? "an empty one" : value) << '\n';
            return 2;
        }
        parsed.values.emplace(option->name, value);
    }
    const auto given = [&](std::string_view name) { return !name.empty() && parsed.values.contains(name); };
    if (parsed.operands.size() < command.operands)
        return usage("an argument is missing");
    for (const Option& o : command.options) {
        const std::string name(o.name);
        if (given(o.instead) && given(o.name))
            return usage("give " + name + " or " + std::string(o.instead) + ", not both");
        if (o.required && !given(o.name) && !given(o.instead))
            return usage(o.instead.empty() ? name + " is missing" : "give " + name + " or " + std::string(o.instead));
    }
    if (given(celsius.name))
        parsed.display.temperature = Display::Temperature::Celsius;
    return parsed;
}

} // namespace

std::optional<int> parseClock(const std::string& text)
{
    // A line's time may say 24:MM:SS; a clock time may not.
    if (text.starts_with("24"))
        return std::nullopt;
    return secondOfDay(std::string_view(text));
}

std::optional<ProgramRead> readOrReport(const std::string& path, std::ostream& err, TextFiles& files,
                                        bool regularOnly)
{
    LoadedProgram loaded = loadProgram(files, path, regularOnly);
    if (!loaded.program)
        err << "fernhollow: cannot read " << path << ": " << loaded.error << '\n';
    return std::move(loaded.program);
}

std::optional<ProgramRead> loadOrReport(const std::string& path, std::ostream& err, TextFiles& files,
                                        bool regularOnly)
{
    auto read = readOrReport(path, err, files, regularOnly);
    if (read) {
        writeNotes(path, read->notes, err);
        if (std::ranges::any_of(read->notes, isError))
            err.iword(errorNoteSlot()) = 1;
    }
    return read;
}

void writeNotes(const std::string& path, const std::vector<LoadNote>& notes, std::ostream& err)
{
    for (const LoadNote& note : notes)
        err << path << ':' << note.line << (isError(note) ? ": error: " : ": warning: ")
            << utf8FromLatin1(describe(note)) << '\n';
}

bool warnMidnightWrap(const std::string& path, const CommandLists& lists, const Display& display, std::ostream& err)
{
    bool found = false;
    for (const Finding& f : fh::lint(lists, display))
        if (f.code == code::midnightWrap) {
            err << path << ':' << f.line << ": warning: " << utf8FromLatin1(f.message) << " [" << f.code << "]\n";
            found = true;
        }
    return found;
}

bool formatIs(const Parsed& args, std::string_view name)
{
    const auto format = args.values.find("--format");
    return format != args.values.end() && format->second == name;
}

int writeOutput(TextFiles& files, const std::string& path, const std::string& bytes, std::ostream& err)
{
    if (const auto error = files.write(path, bytes)) {
        err << "fernhollow: cannot write " << path << ": " << *error << '\n';
        return 2;
    }
    return 0;
}

bool outputIsInput(const Parsed& args, std::ostream& err, TextFiles& files)
{
    const auto out = args.values.find("-o");
    if (out == args.values.end() || !files.sameFile(args.operands.front(), out->second))
        return false;
    err << "fernhollow: cannot write " << out->second << ": " << out->second << " is the input\n";
    return true;
}

std::unique_ptr<Printer> openPrinter(const Parsed& args, std::ostream& err, const Devices& devices)
{
    const std::string& name = args.values.at("--printer");
    auto printer = devices.printers.open(name);
    if (!printer) {
        if (const auto down = devices.printers.unreachable()) {
            err << "fernhollow: " << serviceDownMessage(*down) << '\n';
            return printer;
        }
        const auto names = devices.printers.printerNames();
        err << "fernhollow: there is no printer " << name;
        for (std::size_t i = 0; i < names.size(); ++i)
            err << (i == 0 ? "; the printers are " : ", ") << names[i];
        err << (names.empty() ? "; there are no printers\n" : "\n");
    }
    return printer;
}

std::string pageFooter(const Parsed& args, const std::string& path, const Devices& devices)
{
    return args.values.contains(plain.name) ? std::string() : printFooter(path, devices.clock.now());
}

int printed(const Printer& printer, const std::optional<std::string>& failure, const Parsed& args,
            std::ostream& err, const Devices& devices)
{
    if (failure) {
        err << "fernhollow: " << *failure << '\n';
        return 2;
    }
    const auto job = printer.job();
    if (!job)
        return 0;
    const auto given = args.values.find(wait.name);
    const int waitMs = (given == args.values.end() ? printWaitSeconds : waitSeconds(given->second).value()) * 1000;
    // With no wait the job is only sent: nothing is asked of it.
    std::optional<PrintVerdict> verdict =
        waitMs == 0 ? judgeJob(*job, {}, true) : std::optional<PrintVerdict>();
    for (int waited = 0; !verdict; waited += printPollMilliseconds) {
        verdict = judgeJob(*job, job->status(), waited >= waitMs);
        if (!verdict)
            devices.pause(printPollMilliseconds);
    }
    if (!verdict->message.empty())
        err << "fernhollow: " << verdict->message << '\n';
    return verdict->failed ? 2 : 0;
}

namespace {
// Without badbit among its exceptions, a stream takes a failed read for the end of the input.
bool nextLine(std::istream& in, std::string& line)
{
    // The answers so far go out first, so that a failed write is not taken for the input's.
    if (in.tie())
        in.tie()->flush();
    try {
        in.exceptions(std::ios::badbit);
        return static_cast<bool>(std::getline(in, line));
    } catch (const std::ios_base::failure& failure) {
        throw UnreadableInput(failure.code().message());
    }
}
} // namespace

void forEachLine(const Args& lines, std::istream& in, const std::function<void(const std::string&)>& handle)
{
    if (!lines.empty()) {
        for (const auto& line : lines)
            handle(line);
        return;
    }
    for (std::string line; nextLine(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        handle(line);
    }
}

void StreamMessages::show(const std::string& text)
{
    if (!file.empty())
        err << "fernhollow: " << file << ": ";
    err << text << '\n';
}

namespace {

int runCommand(const Args& args, Streams io, const Devices& devices)
{
    if (args.empty()) {
        showHelp(io.err);
        return 2;
    }
    if (isHelp(args[0])) {
        showHelp(io.out);
        return 0;
    }
    if (isVersion(args[0])) {
        io.out << "fernhollow " << FERNHOLLOW_VERSION << '\n';
        return 0;
    }
    const Command* command = findCommand(args[0]);
    if (!command) {
        io.err << "fernhollow: unknown " << (isOption(args[0]) ? "option" : "command") << " '" << args[0]
               << "' (see fernhollow --help)\n";
        return 2;
    }
    const auto parsed = read(*command, Args(args.begin() + 1, args.end()), io);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    io.err.iword(errorNoteSlot()) = 0;
    int status = 0;
    try {
        status = command->handler(std::get<Parsed>(parsed), io, devices);
    } catch (const UnreadableInput& failure) {
        io.err << "fernhollow: cannot read standard input: " << failure.what() << '\n';
        return 2;
    }
    // An error note is a finding: the job is still done, and a failure still says 2.
    return std::max(status, static_cast<int>(io.err.iword(errorNoteSlot())));
}

} // namespace

int run(const Args& args, Streams io, const Devices& devices)
{
    // A script must not take output that never arrived (a full disk, a closed pipe)
    // for success: the first failed write ends the command.
    try {
        io.out.exceptions(std::ios::badbit);
        const int status = runCommand(args, io, devices);
        io.out.flush();
        return status;
    } catch (const std::ios_base::failure& failure) {
        // A stream that failed without a reason of its own gives none.
        const bool own = failure.code() != std::io_errc::stream;
        io.err << "fernhollow: write error: " << (own ? failure.code().message() : "the output failed") << '\n';
        return 2;
    }
}

bool opensWindow(const Args& args, const PathExists& exists)
{
    if (args.empty())
        return true;
    const std::string& first = args[0];
    if (isHelp(first) || isVersion(first) || findCommand(first))
        return false;
    return exists(first) || first.find_first_of("/.") != std::string::npos;
}

bool pathExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace fh::cli
