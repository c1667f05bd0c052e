#include "checks/lint.h"
#include "cli/commands.h"
#include "language/datcheck.h"
#include "language/latin1.h"

#include <ostream>

namespace fh::cli {

namespace {
// The filed line or the check's error on standard output, as ever; what the line as
// written shows on standard error, as "-:PLACE: warning: …". False when either says anything.
bool report(const std::string& typed, std::size_t place, const Display& display, Streams io)
{
    const auto line = latin1FromUtf8(typed);
    const CheckResult r = line ? datcheck(display.typed(*line).line) : CheckResult{false, std::string(notLatin1), {}};
    if (!r.dataok) {
        io.out << "error: " << r.errmsg << '\n';
        return false;
    }
    io.out << utf8FromLatin1(r.cmdline) << '\n';
    const std::vector<Finding> found = typedFindings(*line, display);
    for (const Finding& f : found)
        io.err << "-:" << place << ": " << utf8FromLatin1(findingText(f)) << '\n';
    return found.empty();
}
} // namespace

int check(const Parsed& args, Streams io, const Devices&)
{
    bool allGood = true;
    std::size_t place = 0;
    forEachLine(args.operands, io.in,
                [&](const std::string& line) { allGood = report(line, ++place, args.display, io) && allGood; });
    return allGood ? 0 : 1;
}

} // namespace fh::cli
