#pragma once

// The command-line front: `fernhollow COMMAND ...` runs one command without a window
// and returns the process exit status.

#include <functional>
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

int check(const Args& args, Streams io);

} // namespace fh::cli
