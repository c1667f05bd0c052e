#include "app/cli.h"

#include <map>

namespace fh::cli {

std::optional<int> run(const Args& args, Streams io)
{
    using Command = int (*)(const Args&, Streams);
    static const std::map<std::string, Command> commands = {
        {"check", check},
    };
    if (args.empty())
        return std::nullopt;
    const auto found = commands.find(args[0]);
    if (found == commands.end())
        return std::nullopt;
    return found->second(Args(args.begin() + 1, args.end()), io);
}

} // namespace fh::cli
