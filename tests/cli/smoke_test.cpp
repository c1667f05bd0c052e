#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace fh::test {
namespace {

const std::string example = FERNHOLLOW_EXAMPLES "/greenhouse.fhp";

// The executable under sh, without any display: `command` follows the program's name.
// Standard output goes to `out`, or is kept.
Outcome runExecutable(const std::string& command, const std::string& out = {})
{
    const ScratchDir dir;
    const std::string line = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '" FERNHOLLOW_EXE "' " + command +
                             " >'" + (out.empty() ? dir / "out" : out) + "' 2>'" + (dir / "err") + "'";
    const int raw = std::system(line.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / "out"), readFile(dir / "err")};
}

TEST(Executable, AnswersHelpVersionAndUnknownCommandsWithoutADisplay)
{
    const Outcome help = runExecutable("--help </dev/null");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("\n  simulate "), std::string::npos);
    EXPECT_EQ(runExecutable("compile -h </dev/null").status, 0);
    const Outcome version = runExecutable("--version </dev/null");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "fernhollow " FERNHOLLOW_VERSION "\n");
    const Outcome bogus = runExecutable("bogus </dev/null");
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(std::count(bogus.err.begin(), bogus.err.end(), '\n'), 1) << bogus.err;
}

// A pipe is read as a file, and an endless one ends at the size limit.
TEST(Executable, CompilesAProgramFromAPipe)
{
    const Outcome piped = runExecutable("compile /dev/stdin <'" + example + "'");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, runCliOnDisk({"compile", example}).out);
    const Outcome endless = runExecutable("compile /dev/stdin < /dev/zero");
    EXPECT_EQ(endless.status, 2);
    EXPECT_EQ(endless.err, "fernhollow: cannot read /dev/stdin: larger than 16 MiB, not a program file\n");
}

// Fault mended: output that never arrived, or a device replaced by a chart, was success.
TEST(Executable, NoOutputIsLostWithoutFailing)
{
    for (const char* command : {"compile", "check L,6,1,ON", "simulate @ --at 06:00:00 --seconds 60"}) {
        std::string line = command;
        if (const auto at = line.find('@'); at != std::string::npos)
            line.replace(at, 1, example);
        else if (line == "compile")
            line += " " + example;
        const Outcome full = runExecutable(line + " </dev/null", "/dev/full");
        EXPECT_EQ(full.status, 2) << line;
        EXPECT_EQ(full.err, "fernhollow: write error: No space left on device\n") << line;
    }
    const ScratchDir dir;
    const std::string link = dir / "x.pdf";
    ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
    for (const char* command : {"chart", "listing"}) {
        const Outcome o = runExecutable(std::string(command) + " '" + example + "' -o '" + link + "' </dev/null");
        EXPECT_EQ(o.status, 2) << command;
        EXPECT_EQ(o.err, "fernhollow: cannot write " + link + ": " + link + " is not a regular file\n") << command;
    }
}

} // namespace
} // namespace fh::test
