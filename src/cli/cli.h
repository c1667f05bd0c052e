#pragma once

// The command-line front: `fernhollow COMMAND ...` runs one command without a window
// and returns the process exit status.

#include "language/editor.h"
#include "platform/devices.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace fh::cli {

using Args = std::vector<std::string>;

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Runs the command named by args[0]; no value when args[0] names no command.
std::optional<int> run(const Args& args, Streams io);

// Reads a program file as Load does; on failure writes one line to `err`.
std::optional<CommandLists> loadProgram(const std::string& path, std::ostream& err);

// "HH:MM:SS" with two digits each, 00:00:00 to 23:59:59, as seconds of the day.
std::optional<int> parseClock(const std::string& text);

class FixedClock : public Clock {
public:
    explicit FixedClock(int seconds) : seconds(seconds) {}
    int secondsOfDay() const override { return seconds; }

private:
    int seconds;
};

// Messages of the logic as lines on standard error.
class StreamMessages : public MessageBox {
public:
    explicit StreamMessages(std::ostream& err) : err(err) {}
    void show(const std::string& text) override;
    SaveChoice askSave(const std::string&) override { return SaveChoice::Cancel; }

private:
    std::ostream& err;
};

int check(const Args& args, Streams io);
int listing(const Args& args, Streams io);
int add(const Args& args, Streams io);
int compile(const Args& args, Streams io);
int simulate(const Args& args, Streams io);
int chart(const Args& args, Streams io);

} // namespace fh::cli
