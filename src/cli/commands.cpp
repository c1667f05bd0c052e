#include "cli/commands.h"
#include "compiler/day.h"

#include <ostream>
#include <string>
#include <utility>

namespace fh::cli {

std::optional<Program> dayProgramOrReport(const std::string& path, const CommandLists& lists, std::ostream& err)
{
    StreamMessages messages(err, path);
    auto program = dayProgram(lists, messages);
    if (program && program->proglast() < 0) {
        messages.show(std::string(noProgramPresent));
        return std::nullopt;
    }
    return program;
}

std::unique_ptr<const FileCycle> cycleOrReport(const std::string& path, std::ostream& err, TextFiles& files)
{
    const auto read = loadOrReport(path, err, files);
    if (!read)
        return nullptr;
    auto program = dayProgramOrReport(path, read->lists, err);
    if (!program)
        return nullptr;
    return std::make_unique<const FileCycle>(std::move(*program), read->lists);
}

} // namespace fh::cli
