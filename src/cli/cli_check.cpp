#include "cli/commands.h"
#include "language/datcheck.h"
#include "language/latin1.h"

#include <ostream>

namespace fh::cli {

namespace {
bool report(const std::string& typed, const Display& display, std::ostream& out)
{
    const auto line = latin1FromUtf8(typed);
    const CheckResult r = line ? datcheck(display.typed(*line).line) : CheckResult{false, std::string(notLatin1), {}};
    if (r.dataok)
        out << utf8FromLatin1(r.cmdline) << '\n';
    else
        out << "error: " << r.errmsg << '\n';
    return r.dataok;
}
} // namespace

int check(const Parsed& args, Streams io, const Devices&)
{
    bool allGood = true;
    forEachLine(args.operands, io.in,
                [&](const std::string& line) { allGood = report(line, args.display, io.out) && allGood; });
    return allGood ? 0 : 1;
}

} // namespace fh::cli
