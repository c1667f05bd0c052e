#pragma once

// The command-line front: `fernhollow COMMAND ...` runs one command without a window
// and returns the process exit status. Program files are read and written through the
// devices it is given, so the commands run the same over in-memory files.

#include "platform/devices.h"
#include "platform/printer.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace fh::cli {

class Drawing;

using Args = std::vector<std::string>;
using PathExists = std::function<bool(const std::string&)>;
// Sleeps for a number of milliseconds, while a print job is followed.
using Pause = std::function<void(int)>;

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

struct Devices {
    TextFiles& files;
    // `add` makes a missing file, but refuses one that is there and cannot be read.
    PathExists exists;
    // Where --printer sends a listing or a chart.
    PrintService& printers;
    // The time a printout says it was printed at.
    const Clock& clock;
    Pause pause;
    // Fonts, pictures and PDF documents for `chart` and `listing`, had at their first
    // use and kept by the caller; none when they cannot be had, which is said on the
    // stream given.
    std::function<Drawing*(std::ostream& err)> drawing;
};

// Runs `fernhollow ARGS...`: a command, --help or --version. Messages go to `io.err`;
// the status is 0 on success, 1 for refused lines, 2 for a failure.
int run(const Args& args, Streams io, const Devices& devices);

// Whether `fernhollow ARGS...` opens the windows rather than running a command: with no
// argument, or with a first one that is no command and names an existing path or looks
// like a file name (holds a '/' or a '.').
bool opensWindow(const Args& args, const PathExists& exists);

// Whether anything is found at `path` on disk.
bool pathExists(const std::string& path);

} // namespace fh::cli
