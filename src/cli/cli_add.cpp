#include "cli/commands.h"
#include "language/editor.h"
#include "files/programfiles.h"

#include <istream>
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

private:
    std::ostream& out;
};

} // namespace

int add(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    LineReports reports(io.out);
    Editor editor(reports);
    if (devices.exists(path)) {
        // The file is rewritten, so it must be one: a pipe or a device is refused.
        const auto lists = loadOrReport(path, io.err, devices.files, true);
        if (!lists)
            return 2;
        editor.replaceLists(*lists);
    }

    bool allGood = true;
    if (args.operands.size() > 1) {
        for (auto line = args.operands.begin() + 1; line != args.operands.end(); ++line)
            allGood = editor.pumpcom(*line) && allGood;
    } else {
        std::string line;
        while (std::getline(io.in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allGood = editor.pumpcom(line) && allGood;
        }
    }

    if (const auto error = saveProgram(devices.files, path, editor.lists())) {
        io.err << "fernhollow: cannot write " << path << ": " << *error << '\n';
        return 2;
    }
    return allGood ? 0 : 1;
}

} // namespace fh::cli
