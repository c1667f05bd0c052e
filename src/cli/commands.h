#pragma once

// What the commands share: their arguments as the option reader hands them over, the
// parsers of option values, and the devices the logic needs on a command line.

#include "cli/cli.h"
#include "compiler/display.h"
#include "compiler/why.h"
#include "files/programfile.h"
#include "language/commandlists.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace fh::cli {

// A command's arguments once read: the operands, and the value of each option given,
// accepted by the option's check.
struct Parsed {
    Args operands;
    std::map<std::string_view, std::string> values;
    // How the output reads set-points, times and durations.
    Display display;
};

// A week of seconds is far more than any comparison needs and runs in well under a second.
inline constexpr long long mostSeconds = 7LL * secondsPerDay;
// A chart bigger than this would be a typing error, and a few gigabytes of memory.
inline constexpr int largestSide = 8192;

struct Size {
    int width;
    int height;
};

// "HH:MM:SS" with two digits each, 00:00:00 to 23:59:59, as seconds of the day.
std::optional<int> parseClock(const std::string& text);
// A whole number of seconds from 0 to mostSeconds.
std::optional<long long> parseSeconds(const std::string& text);
// A day of a program's cycle: a whole number from 1 to the most days a cycle can have.
std::optional<int> parseDay(const std::string& text);
// "WxH", each side 1 to largestSide.
std::optional<Size> parseSize(const std::string& text);

// Reads a program file, keeping the notes on its lines; on failure says why in one
// line. Unless `regularOnly`, a script may hand the program over through a pipe.
std::optional<ProgramRead> readOrReport(const std::string& path, std::ostream& err, TextFiles& files,
                                        bool regularOnly = false);
// Reads a program file and writes the notes on its lines to `err`, one per line as
// "FILE:LINE: error: MESSAGE" or "FILE:LINE: warning: filed as LINE"; on failure says
// why in one line. Unless `regularOnly`, a script may hand the program over through a pipe.
// After an error note the command ends with 1 at least, whatever it returns.
std::optional<ProgramRead> loadOrReport(const std::string& path, std::ostream& err, TextFiles& files,
                                        bool regularOnly = false);

// A program file's cycle for the commands that ask it many questions (`why`, `export`):
// the program of the file's lines that pass the check and the cycle read from it, made
// in place and kept there: the cycle's steps point into its own days.
struct FileCycle {
    FileCycle(Program day, const CommandLists& filed) : program(std::move(day)), reasons(program, filed) {}
    FileCycle(const FileCycle&) = delete;
    FileCycle& operator=(const FileCycle&) = delete;
    const Program program;
    const DayReasons reasons;
};

// The day program of a file's lines that pass the check (`dayProgram`); none when they
// are refused or no line is left, said on `err`.
std::optional<Program> dayProgramOrReport(const std::string& path, const CommandLists& lists, std::ostream& err);

// Reads a program file as loadOrReport does, then the cycle of its lines that pass the
// check; none when the file cannot be read, its checked lines are refused or no line
// is left, each said on `err`.
std::unique_ptr<const FileCycle> cycleOrReport(const std::string& path, std::ostream& err, TextFiles& files);

// Writes the notes on a program file's lines to `err` as loadOrReport does, leaving
// the exit status alone.
void writeNotes(const std::string& path, const std::vector<LoadNote>& notes, std::ostream& err);
// Warns on `err` of each line at 24:MM:SS, which makes the program run every second
// day, a thing no single day shows; returns whether there was one.
bool warnMidnightWrap(const std::string& path, const CommandLists& lists, const Display& display, std::ostream& err);

// Whether --format was given as `name`.
bool formatIs(const Parsed& args, std::string_view name);

// Writes a command's output file through `files`; on failure says why in one line.
// Returns the exit status.
int writeOutput(TextFiles& files, const std::string& path, const std::string& bytes, std::ostream& err);
// Whether the output of -o is the file read (the first operand), which is then said
// on `err`: writing it would destroy the input.
bool outputIsInput(const Parsed& args, std::ostream& err, TextFiles& files);

// The printer of --printer; an unknown name is refused with the names of the printers
// there are, and a print service that does not answer is said to be down.
std::unique_ptr<Printer> openPrinter(const Parsed& args, std::ostream& err, const Devices& devices);
// The lead of the footer of a document of the program file `path`; empty under --plain.
std::string pageFooter(const Parsed& args, const std::string& path, const Devices& devices);
// The exit status of a print that ended with `failure`, which is said on `err`. A job on
// a queue is followed for --wait seconds (printWaitSeconds unless given) and what
// became of it is said.
int printed(const Printer& printer, const std::optional<std::string>& failure, const Parsed& args,
            std::ostream& err, const Devices& devices);

// Standard input that could not be read: the command ends there, before it writes
// anything more, with status 2 and the reason.
class UnreadableInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Each command line given: the arguments, or else the lines of standard input, where
// LF and CR LF end a line. A read error throws UnreadableInput.
void forEachLine(const Args& lines, std::istream& in, const std::function<void(const std::string&)>& handle);

class FixedClock : public Clock {
public:
    explicit FixedClock(int seconds) : seconds(seconds) {}
    int secondsOfDay() const override { return seconds; }

private:
    int seconds;
};

// Messages of the logic as lines on standard error; those about a program file name
// it first, as "fernhollow: FILE: no program present!".
class StreamMessages : public MessageBox {
public:
    explicit StreamMessages(std::ostream& err) : err(err) {}
    StreamMessages(std::ostream& err, std::string file) : err(err), file(std::move(file)) {}
    void show(const std::string& text) override;
    SaveChoice askSave(const std::string&) override { return SaveChoice::Cancel; }
    bool askYesNo(const std::string&) override { return false; }

private:
    std::ostream& err;
    std::string file;
};

int check(const Parsed& args, Streams io, const Devices& devices);
int compile(const Parsed& args, Streams io, const Devices& devices);
int simulate(const Parsed& args, Streams io, const Devices& devices);
int chart(const Parsed& args, Streams io, const Devices& devices);
int listing(const Parsed& args, Streams io, const Devices& devices);
int add(const Parsed& args, Streams io, const Devices& devices);
int lint(const Parsed& args, Streams io, const Devices& devices);
int state(const Parsed& args, Streams io, const Devices& devices);
int totals(const Parsed& args, Streams io, const Devices& devices);
int decode(const Parsed& args, Streams io, const Devices& devices);
int lines(const Parsed& args, Streams io, const Devices& devices);
int diff(const Parsed& args, Streams io, const Devices& devices);
int why(const Parsed& args, Streams io, const Devices& devices);
int exportDay(const Parsed& args, Streams io, const Devices& devices);

} // namespace fh::cli
