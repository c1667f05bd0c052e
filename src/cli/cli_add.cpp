#include "checks/lint.h"
#include "cli/commands.h"
#include "files/programfile.h"
#include "session/session.h"
#include "language/datcheck.h"
#include "language/latin1.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace fh::cli {

namespace {

// A bad line is reported the way `check` reports it.
class LineReports : public MessageBox {
public:
    explicit LineReports(std::ostream& out) : out(out) {}
    void show(const std::string& text) override { out << "error: " << text << '\n'; }
    // Nobody answers on a script's output: keep things as they are.
    SaveChoice askSave(const std::string&) override { return SaveChoice::Cancel; }
    bool askYesNo(const std::string&) override { return false; }

private:
    std::ostream& out;
};

// Says on `err` of each line that would be filed to mean other than it reads, and how
// to file it anyway; true when there was one.
bool slips(const std::vector<std::string>& typed, const Display& display, std::ostream& err)
{
    bool found = false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto line = latin1FromUtf8(typed[i]);
        const std::vector<Finding> findings = line ? typedFindings(*line, display) : std::vector<Finding>{};
        if (std::ranges::none_of(findings, changesMeaning))
            continue;
        const std::string place = "-:" + std::to_string(i + 1) + ": ";
        for (const Finding& f : findings)
            if (changesMeaning(f))
                err << place << utf8FromLatin1(findingText(f)) << '\n';
        err << "fernhollow: " << place << typed[i] << " would be filed as "
            << utf8FromLatin1(datcheck(display.typed(*line).line).cmdline)
            << "; nothing written: write the line as meant, or give --as-read to file the lines as read\n";
        found = true;
    }
    return found;
}

} // namespace

int add(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    LineReports reports(io.out);
    // Nothing here compiles, so the time is of no account.
    const FixedClock midnight(0);
    Session session(reports, midnight);
    session.setDisplay(args.display);
    if (devices.exists(path)) {
        // The file is rewritten, so it must be one: a pipe or a device is refused.
        auto read = loadOrReport(path, io.err, devices.files, true);
        if (!read)
            return 2;
        // Rewriting would lose the lines after the third separator for good.
        if (std::any_of(read->notes.begin(), read->notes.end(),
                        [](const LoadNote& note) { return note.kind == LoadNote::NotLoaded; })) {
            io.err << "fernhollow: " << path << " has lines after the third separator; not rewritten\n";
            return 2;
        }
        session.open(std::move(read->lists));
    }

    std::vector<std::string> typed;
    forEachLine(Args(args.operands.begin() + 1, args.operands.end()), io.in,
                [&](const std::string& line) { typed.push_back(line); });
    if (!args.values.contains("--as-read") && slips(typed, args.display, io.err))
        return 1;

    bool allGood = true;
    for (const std::string& text : typed) {
        const auto line = latin1FromUtf8(text);
        if (!line)
            reports.show(std::string(notLatin1));
        allGood = line && session.enter(*line) && allGood;
    }

    if (const auto error = saveProgram(devices.files, path, session.lists())) {
        io.err << "fernhollow: cannot write " << path << ": " << *error << '\n';
        return 2;
    }
    return allGood ? 0 : 1;
}

} // namespace fh::cli
