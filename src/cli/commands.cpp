#include "cli/commands.h"
#include "compiler/day.h"

#include <ostream>
#include <string>
#include <utility>

namespace fh::cli {

std::unique_ptr<const FileCycle> cycleOrReport(const std::string& path, std::ostream& err, TextFiles& files)
{
    const auto read = loadOrReport(path, err, files);
    if (!read)
        return nullptr;
    StreamMessages messages(err, path);
    auto program = dayProgram(read->lists, messages);
    if (!program)
        return nullptr;
    if (program->proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return nullptr;
    }
    return std::make_unique<const FileCycle>(std::move(*program), read->lists);
}

} // namespace fh::cli
