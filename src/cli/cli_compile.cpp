#include "cli/commands.h"
#include "compiler/program.h"

#include <ostream>

namespace fh::cli {

int compile(const Parsed& args, Streams io, const Devices& devices)
{
    const auto lists = loadOrReport(args.operands.front(), io.err, devices.files);
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
    if (const auto next = args.values.find("--next"); next != args.values.end()) {
        program.syncup(FixedClock(parseClock(next->second).value()));
        io.out << "next: " << program.nextstep() << '\n';
    }
    return 0;
}

} // namespace fh::cli
