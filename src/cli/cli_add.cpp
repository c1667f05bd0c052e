#include "cli/commands.h"
#include "files/programfile.h"
#include "session/session.h"
#include "language/latin1.h"

#include <algorithm>
#include <ostream>

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

} // namespace

int add(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    LineReports reports(io.out);
    // Nothing here compiles, so the time is of no account.
    const FixedClock midnight(0);
    Session session(reports, midnight);
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

    bool allGood = true;
    const Args lines(args.operands.begin() + 1, args.operands.end());
    forEachLine(lines, io.in, [&](const std::string& typed) {
        const auto line = latin1FromUtf8(typed);
        if (!line)
            reports.show(std::string(notLatin1));
        allGood = line && session.enter(args.display.typed(*line).line) && allGood;
    });

    if (const auto error = saveProgram(devices.files, path, session.lists())) {
        io.err << "fernhollow: cannot write " << path << ": " << *error << '\n';
        return 2;
    }
    return allGood ? 0 : 1;
}

} // namespace fh::cli
