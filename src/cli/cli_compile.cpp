#include "cli/cli.h"
#include "compiler/program.h"

#include <ostream>

namespace fh::cli {

int compile(const Args& args, Streams io)
{
    std::optional<std::string> file;
    std::optional<int> next;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--next" && i + 1 < args.size()) {
            next = parseClock(args[++i]);
            if (!next) {
                io.err << "fernhollow: --next wants a time HH:MM:SS, not " << args[i] << '\n';
                return 2;
            }
        } else if (!file && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            io.err << "usage: fernhollow compile FILE [--next HH:MM:SS]\n";
            return 2;
        }
    }
    if (!file) {
        io.err << "usage: fernhollow compile FILE [--next HH:MM:SS]\n";
        return 2;
    }
    const auto lists = loadProgram(*file, io.err);
    if (!lists)
        return 2;

    StreamMessages messages(io.err);
    Program program;
    if (!program.combine(*lists, messages))
        return 2;
    program.sort();
    program.fullparse();
    for (int i = 0; i <= program.proglast(); ++i)
        io.out << program.prog()[static_cast<std::size_t>(i)] << '\n';
    if (next) {
        program.syncup(FixedClock(*next));
        io.out << "next: " << program.nextstep() << '\n';
    }
    return 0;
}

} // namespace fh::cli
