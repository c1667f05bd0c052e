#include "cli/cli.h"
#include "language/editor.h"
#include "files/programfile.h"
#include "platform/qt/qtfiles.h"

#include <filesystem>
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

int add(const Args& args, Streams io)
{
    if (args.empty()) {
        io.err << "usage: fernhollow add FILE [LINE...]\n";
        return 2;
    }
    const std::string& path = args[0];
    QtTextFiles files;
    LineReports reports(io.out);
    Editor editor(reports);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        const auto lists = loadProgram(path, io.err);
        if (!lists)
            return 2;
        editor.replaceLists(*lists);
    }

    bool allGood = true;
    if (args.size() > 1) {
        for (auto line = args.begin() + 1; line != args.end(); ++line)
            allGood = editor.pumpcom(*line) && allGood;
    } else {
        std::string line;
        while (std::getline(io.in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allGood = editor.pumpcom(line) && allGood;
        }
    }

    if (const auto error = files.write(path, writeProgramFile(editor.lists()))) {
        io.err << "fernhollow: cannot write " << path << ": " << *error << '\n';
        return 2;
    }
    return allGood ? 0 : 1;
}

} // namespace fh::cli
