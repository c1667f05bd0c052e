#include "checks/lint.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "language/latin1.h"

#include <algorithm>
#include <ostream>

namespace fh::cli {

int lint(const Parsed& args, Streams io, const Devices& devices)
{
    const bool tsv = formatIs(args, "tsv");
    // One file's rows keep their columns; with several, each row starts with its file.
    const bool fileColumn = tsv && args.operands.size() > 1;
    int status = 0;
    for (const std::string& path : args.operands) {
        // The notes on the lines come back as findings, so they are not written twice.
        const auto read = readOrReport(path, io.err, devices.files);
        if (!read) {
            status = 2;
            continue;
        }
        const std::vector<Finding> findings = fh::lint(*read, args.display);
        if (!findings.empty())
            status = std::max(status, 1);
        for (const Finding& f : findings) {
            if (!tsv) {
                io.out << path << ':' << f.line << ": " << utf8FromLatin1(findingText(f)) << '\n';
                continue;
            }
            std::vector<std::string> row{std::to_string(f.line), std::string(severityName(f.severity)),
                                         std::string(f.code), utf8FromLatin1(f.message)};
            if (fileColumn)
                row.insert(row.begin(), path);
            output::tsvRow(io.out, row);
        }
    }
    return status;
}

} // namespace fh::cli
