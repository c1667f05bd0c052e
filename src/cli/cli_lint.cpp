#include "checks/lint.h"
#include "cli/commands.h"
#include "language/latin1.h"

#include <algorithm>
#include <ostream>

namespace fh::cli {

int lint(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    // The notes on the lines come back as findings, so they are not written twice.
    const auto read = readOrReport(path, io.err, devices.files);
    if (!read)
        return 2;
    const auto format = args.values.find("--format");
    const bool tsv = format != args.values.end() && format->second == "tsv";
    const std::vector<Finding> findings = fh::lint(*read, args.display);
    for (const Finding& f : findings) {
        std::string message = utf8FromLatin1(f.message);
        if (tsv) {
            // A tab quoted from a line would shift the columns.
            std::ranges::replace(message, '\t', ' ');
            io.out << f.line << '\t' << severityName(f.severity) << '\t' << f.code << '\t' << message << '\n';
        } else {
            io.out << path << ':' << f.line << ": " << severityName(f.severity) << ": " << message << " [" << f.code
                   << "]\n";
        }
    }
    return findings.empty() ? 0 : 1;
}

} // namespace fh::cli
