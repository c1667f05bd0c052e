#include "harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fh::test {
namespace {

const std::string example = FERNHOLLOW_EXAMPLES "/greenhouse.fhp";

// The executable under sh, without any display, in a child whose files may not grow past
// `limit` bytes. `command` follows the program's name; standard output goes to `out`, or
// is kept.
Outcome runExecutable(const std::string& command, const std::string& out = {}, rlim_t limit = RLIM_INFINITY)
{
    const ScratchDir dir;
    const std::string line = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '" FERNHOLLOW_EXE "' " + command +
                             " >'" + (out.empty() ? dir / "out" : out) + "' 2>'" + (dir / "err") + "'";
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit size{limit, limit};
        if (limit == RLIM_INFINITY || ::setrlimit(RLIMIT_FSIZE, &size) == 0)
            ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / "out"), readFile(dir / "err")};
}

// Fault mended: without a display the window aborted with Qt's advice to reinstall, and a core dump.
TEST(Executable, WithoutADisplayTheWindowSaysSoInOneLine)
{
    const Outcome opened = runExecutable("");
    EXPECT_EQ(opened.status, 2);
    EXPECT_EQ(opened.out, "");
    EXPECT_EQ(opened.err, "fernhollow: cannot open the window: no display (DISPLAY and WAYLAND_DISPLAY are not set); "
                          "run it in a desktop session (the commands of fernhollow --help need no display)\n");
}

// A pipe is read as a file, and an endless one ends at the size limit.
TEST(Executable, CompilesAProgramFromAPipe)
{
    EXPECT_EQ(runExecutable("compile /dev/stdin <'" + example + "'"),
              (Outcome{0, runCliOnDisk({"compile", example}).out, ""}));
    EXPECT_EQ(runExecutable("compile /dev/stdin < /dev/zero"),
              (Outcome{2, "", "fernhollow: cannot read /dev/stdin: larger than 16 MiB, not a program file\n"}));
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
        EXPECT_EQ(runExecutable(line + " </dev/null", "/dev/full"),
                  (Outcome{2, "", "fernhollow: write error: No space left on device\n"})) << line;
    }
    const ScratchDir dir;
    // The answers to lines read from standard input fail as output, not as input.
    const std::string lines = dir / "lines.txt";
    std::ofstream(lines, std::ios::binary) << "L,6,1,ON\nL,7,1,OFF\n";
    EXPECT_EQ(runExecutable("check <'" + lines + "'", "/dev/full"),
              (Outcome{2, "", "fernhollow: write error: No space left on device\n"}));
    // Fault mended: the errno of some later call was given ("No such file or directory").
    // A short output fails at the end, a long one part way.
    const std::string a = dir / "a.fhp", b = dir / "b.fhp";
    std::ofstream(a, std::ios::binary) << "t,6,70,80\n";
    std::ofstream(b, std::ios::binary) << [] {
        std::string lines;
        for (int i = 0; i < 3000; ++i)
            lines += "t,6,70,80\n";
        return lines;
    }();
    for (const std::string& files : {"'" + a + "' '" + a + "'", "'" + b + "' '" + a + "'"})
        EXPECT_EQ(runExecutable("lint " + files + " </dev/null", "/dev/full"),
                  (Outcome{2, "", "fernhollow: write error: No space left on device\n"})) << files;
    const std::string link = dir / "x.pdf";
    ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
    for (const char* command : {"chart", "listing"})
        EXPECT_EQ(runExecutable(std::string(command) + " '" + example + "' -o '" + link + "' </dev/null"),
                  (Outcome{2, "", "fernhollow: cannot write " + link + ": " + link + " is not a regular file\n"}))
            << command;
}

// Faults mended: on a full disk the output was left empty (or the program file emptied)
// and the command said nothing; under a file-size limit it died of SIGXFSZ. Now the old
// bytes stay and a new file is not made.
TEST(Executable, AWriteThatFailsPartWayKeepsTheOldFile)
{
    const ScratchDir dir;
    const std::string code = dir / "code.txt";
    std::ofstream(code, std::ios::binary) << runCliOnDisk({"compile", example}).out;
    const std::string fhp = dir / "out.fhp", pdf = dir / "out.pdf", png = dir / "out.png", svg = dir / "out.svg";
    // More than the limit, even as a new file.
    std::vector<std::string> add{"add", fhp};
    for (int minute = 10; minute < 30; ++minute)
        add.push_back("T,01:" + std::to_string(minute) + ":00,60,70");
    const struct { const char* name; std::vector<std::string> args; std::string output; } commands[] = {
        {"add", add, fhp},
        {"decode", {"decode", code, "-o", fhp}, fhp},
        {"listing", {"listing", example, "-o", pdf}, pdf},
        {"chart png", {"chart", example, "-o", png}, png},
        {"chart pdf", {"chart", example, "-o", pdf}, pdf},
        {"chart svg", {"chart", example, "-o", svg}, svg},
    };
    const std::string old = readFile(example);
    for (const auto& c : commands) {
        for (const bool existed : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (existed ? " over an old file" : " to a new file"));
            std::filesystem::remove(c.output);
            if (existed)
                std::ofstream(c.output, std::ios::binary) << old;
            std::string command;
            for (const auto& arg : c.args)
                command += " '" + arg + "'";
            const Outcome o = runExecutable(command + " </dev/null", {}, 256);
            EXPECT_EQ(o, (Outcome{2, "", "fernhollow: cannot write " + c.output + ": File too large\n"}));
            if (existed) {
                EXPECT_EQ(readFile(c.output), old);
            } else {
                EXPECT_FALSE(std::filesystem::exists(c.output));
            }
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), std::filesystem::directory_iterator()), 1)
        << "no scratch file is left";
}

// Fault mended: standard input that could not be read was taken for no input, and add
// wrote a program of two separators.
TEST(Executable, StandardInputThatCannotBeReadIsAFailure)
{
    const ScratchDir dir;
    const std::string said = "fernhollow: cannot read standard input: Is a directory\n";
    EXPECT_EQ(runExecutable("check < /tmp"), (Outcome{2, "", said}));
    EXPECT_EQ(runExecutable("add '" + dir / "x.fhp" + "' < /tmp"), (Outcome{2, "", said}));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.fhp"));
    const std::string old = dir / "old.fhp";
    std::ofstream(old, std::ios::binary) << readFile(example);
    EXPECT_EQ(runExecutable("add '" + old + "' < /tmp"), (Outcome{2, "", said}));
    EXPECT_EQ(readFile(old), readFile(example));
}

// Fault mended: a listing, a chart or decoded lines were written over their own input.
TEST(Executable, AnOutputThatIsTheInputIsRefused)
{
    const ScratchDir dir;
    const std::string program = dir / "p.fhp", code = dir / "code.txt";
    std::ofstream(program, std::ios::binary) << readFile(example);
    std::ofstream(code, std::ios::binary) << runCliOnDisk({"compile", example}).out;
    ASSERT_EQ(::symlink(program.c_str(), (dir / "link.pdf").c_str()), 0);
    ASSERT_EQ(::link(code.c_str(), (dir / "hard.txt").c_str()), 0);
    const struct { std::vector<std::string> args; std::string input; } rows[] = {
        {{"listing", program, "-o", program}, program},
        {{"listing", program, "-o", dir / "link.pdf"}, program},
        {{"chart", program, "-o", dir / "link.pdf"}, program},
        {{"decode", code, "-o", dir / "hard.txt"}, code},
        {{"decode", code, "-o", dir.path + "/./code.txt"}, code},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const std::string before = readFile(row.input);
        EXPECT_EQ(runCliOnDisk(row.args),
                  (Outcome{2, "", "fernhollow: cannot write " + row.args[3] + ": " + row.args[3] + " is the input\n"}));
        EXPECT_EQ(readFile(row.input), before);
    }
}

} // namespace
} // namespace fh::test
