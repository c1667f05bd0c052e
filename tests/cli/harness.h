#pragma once

// Runs the command line in this process, over in-memory files or the files on disk,
// and scratch folders for what Qt writes itself.

#include "cli/cli.h"
#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <string>

namespace fh::test {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& o, std::ostream* os)
    {
        *os << o.status << ", out " << testing::PrintToString(o.out) << ", err " << testing::PrintToString(o.err);
    }
};

// The moment the fake clock gives printouts: FakeClock's date, at 14:03:30.
inline constexpr DateTime printedAt{2024, 5, 17, 14 * 3600 + 3 * 60 + 30};

// A path exists when it holds a file. The printers are "Office" and "PDF" unless the
// test brings its own. Waits for print jobs take no time; `paused` adds up how long
// they would have taken.
Outcome runCli(const cli::Args& args, doubles::MemoryTextFiles& files, const std::string& input = {},
               doubles::NamedPrinters* printers = nullptr, int* paused = nullptr);
Outcome runCliOnDisk(const cli::Args& args, const std::string& input = {});

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string operator/(const std::string& name) const { return path + "/" + name; }

    const std::string path;
};

std::string readFile(const std::string& path);

} // namespace fh::test
