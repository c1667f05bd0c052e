#include "checks/lint.h"
#include "cli/commands.h"
#include "language/latin1.h"

#include <algorithm>
#include <ostream>

namespace fh::cli {

namespace {

// A tab in a field would shift the columns after it.
std::string tsvField(std::string text)
{
    std::ranges::replace(text, '\t', ' ');
    return text;
}

} // namespace

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
        const std::string column = fileColumn ? tsvField(path) + '\t' : std::string();
        for (const Finding& f : findings) {
            if (tsv)
                io.out << column << f.line << '\t' << severityName(f.severity) << '\t' << f.code << '\t'
                       << tsvField(utf8FromLatin1(f.message)) << '\n';
            else
                io.out << path << ':' << f.line << ": " << utf8FromLatin1(findingText(f)) << '\n';
        }
    }
    return status;
}

} // namespace fh::cli
