#include "harness.h"

#include "cli/drawing.h"
#include "platform/qt/qtfiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fh::test {

namespace {
Outcome runOver(const cli::Args& args, TextFiles& files, const cli::PathExists& exists, const std::string& input,
                PrintService& printers, int* paused)
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const doubles::FakeClock clock(printedAt.secondsOfDay);
    const auto pause = [paused](int ms) {
        if (paused)
            *paused += ms;
    };
    static const auto drawing = cli::makeDrawing();
    const int status = cli::run(args, {in, out, err},
                                {files, exists, printers, clock, pause, [](std::ostream&) { return drawing.get(); }});
    return {status, out.str(), err.str()};
}

std::string freshDir()
{
    static int counter = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("fernhollow-cli-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}
} // namespace

Outcome runCli(const cli::Args& args, doubles::MemoryTextFiles& files, const std::string& input,
               doubles::NamedPrinters* printers, int* paused)
{
    doubles::NamedPrinters office;
    office.names = {"Office", "PDF"};
    return runOver(args, files, [&files](const std::string& path) { return files.files.contains(path); }, input,
                   printers ? *printers : office, paused);
}

Outcome runCliOnDisk(const cli::Args& args, const std::string& input)
{
    QtTextFiles files;
    doubles::NamedPrinters none;
    return runOver(args, files, cli::pathExists, input, none, nullptr);
}

ScratchDir::ScratchDir() : path(freshDir()) {}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace fh::test
