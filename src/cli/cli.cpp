#include "cli/cli.h"

#include "files/programfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>

namespace fh::cli {

std::optional<CommandLists> loadProgram(const std::string& path, std::ostream& err)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        err << "fernhollow: cannot read " << path << ": Is a directory\n";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "fernhollow: cannot read " << path << ": " << std::strerror(errno) << '\n';
        return std::nullopt;
    }
    // Reads at most one byte past the limit, so an endless stream ends too.
    std::string bytes;
    char chunk[65536];
    while (bytes.size() <= programFileLimit && in.read(chunk, sizeof chunk).gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        err << "fernhollow: cannot read " << path << ": read error\n";
        return std::nullopt;
    }
    if (bytes.size() > programFileLimit) {
        err << "fernhollow: cannot read " << path << ": " << tooLarge(programFileLimit) << '\n';
        return std::nullopt;
    }
    return readProgramFile(bytes);
}

std::optional<int> parseClock(const std::string& text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    int value[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const char hi = text[i * 3], lo = text[i * 3 + 1];
        if (hi < '0' || hi > '9' || lo < '0' || lo > '9')
            return std::nullopt;
        value[i] = (hi - '0') * 10 + (lo - '0');
    }
    if (value[0] > 23 || value[1] > 59 || value[2] > 59)
        return std::nullopt;
    return value[0] * 3600 + value[1] * 60 + value[2];
}

void StreamMessages::show(const std::string& text)
{
    err << text << '\n';
}

std::optional<int> run(const Args& args, Streams io)
{
    using Command = int (*)(const Args&, Streams);
    static const std::map<std::string, Command> commands = {
        {"check", check},
        {"listing", listing},
        {"add", add},
        {"compile", compile},
        {"simulate", simulate},
        {"chart", chart},
    };
    if (args.empty())
        return std::nullopt;
    const auto found = commands.find(args[0]);
    if (found == commands.end())
        return std::nullopt;
    return found->second(Args(args.begin() + 1, args.end()), io);
}

} // namespace fh::cli
