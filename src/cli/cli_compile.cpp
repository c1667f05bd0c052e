#include "cli/commands.h"
#include "compiler/program.h"
#include "language/latin1.h"

#include <ostream>

namespace fh::cli {

int compile(const Parsed& args, Streams io, const Devices& devices)
{
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    StreamMessages messages(io.err, args.operands.front());
    Program program;
    if (!program.combine(read->lists, messages))
        return 2;
    const auto next = args.values.find("--next");
    // No line is due next in no program at all.
    if (next != args.values.end() && program.proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return 2;
    }
    program.sort();
    program.fullparse();
    for (int i = 0; i <= program.proglast(); ++i)
        io.out << utf8FromLatin1(program.prog()[static_cast<std::size_t>(i)]) << '\n';
    if (next != args.values.end()) {
        program.syncup(FixedClock(parseClock(next->second).value()));
        io.out << "next: " << program.nextstep() << '\n';
    }
    return 0;
}

} // namespace fh::cli
