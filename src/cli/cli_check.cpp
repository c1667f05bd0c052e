#include "cli/commands.h"
#include "language/datcheck.h"

#include <istream>
#include <ostream>

namespace fh::cli {

namespace {
bool report(const std::string& line, std::ostream& out)
{
    const CheckResult r = datcheck(line);
    if (r.dataok)
        out << r.cmdline << '\n';
    else
        out << "error: " << r.errmsg << '\n';
    return r.dataok == 1;
}
} // namespace

int check(const Parsed& args, Streams io, const Devices&)
{
    bool allGood = true;
    if (!args.operands.empty()) {
        for (const auto& line : args.operands)
            allGood = report(line, io.out) && allGood;
    } else {
        std::string line;
        while (std::getline(io.in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allGood = report(line, io.out) && allGood;
        }
    }
    return allGood ? 0 : 1;
}

} // namespace fh::cli
