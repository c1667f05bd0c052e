#include "cli/commands.h"
#include "cli/output.h"
#include "compiler/program.h"

#include <ostream>
#include <utility>

namespace fh::cli {

int compile(const Parsed& args, Streams io, const Devices& devices)
{
    auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    StreamMessages messages(io.err, args.operands.front());
    const auto next = args.values.find("--next");
    const bool withNext = next != args.values.end();
    const auto program = compile(std::move(read->lists), FixedClock(withNext ? parseClock(next->second).value() : 0), messages);
    if (!program)
        return 2;
    // No line is due next in no program at all.
    if (withNext && program->proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return 2;
    }
    output::text(io.out, program->code());
    if (withNext)
        io.out << "next: " << program->nextstep() << '\n';
    return 0;
}

} // namespace fh::cli
