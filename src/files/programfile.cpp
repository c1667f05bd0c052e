#include "files/programfile.h"

#include "compiler/program.h"
#include "language/datcheck.h"
#include "language/terms.h"

#include <algorithm>
#include <utility>

namespace fh {

std::string describe(const LoadNote& note)
{
    switch (note.kind) {
    case LoadNote::FailsCheck:
        return note.text;
    case LoadNote::FiledAnew:
        return "filed as " + note.text;
    case LoadNote::NotLoaded:
        return "after the third separator, not loaded";
    case LoadNote::ByteOrderMark:
        return "a byte-order mark at the start was ignored";
    }
    return note.text;
}

bool isError(const LoadNote& note) { return note.kind == LoadNote::FailsCheck || note.kind == LoadNote::NotLoaded; }

std::string withProgramExtension(const std::string& path)
{
    const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
    if (name.empty() || name.find('.') != std::string_view::npos)
        return path;
    return path + "." + std::string(programFileType.extension);
}

std::string_view ProgramRead::written(std::size_t list, std::size_t item) const
{
    const std::vector<std::string>& others = writtenIfOther.at(list);
    return item < others.size() && !others[item].empty() ? others[item] : lists.at(list).at(item);
}

ProgramRead readProgramFile(std::string_view bytes)
{
    ProgramRead read;
    if (bytes.starts_with(utf8ByteOrderMark)) {
        bytes.remove_prefix(utf8ByteOrderMark.size());
        read.notes.push_back({LoadNote::ByteOrderMark, 1, {}});
    }
    const std::vector<std::string_view> lines = textLines(bytes);
    // Each list gets its room once: at most the lines up to the next separator.
    std::array<std::size_t, 3> room{};
    for (std::size_t section = 0; const std::string_view line : lines) {
        if (line != separatorLine)
            ++room[section];
        else if (++section == room.size())
            break;
    }
    for (std::size_t list = 0; list < room.size(); ++list) {
        read.lists[list].reserve(room[list]);
        read.lineNumbers[list].reserve(room[list]);
    }
    std::size_t section = 1;
    std::size_t number = 0;
    for (const std::string_view line : lines) {
        ++number;

        if (section > 3) {
            // A fourth separator is as lost as any other line after the third.
            if (!trim(line).empty())
                read.notes.push_back({LoadNote::NotLoaded, number, std::string(line)});
        } else if (line == separatorLine) {
            ++section;
        } else if (!trim(line).empty()) {
            const std::size_t list = section - 1;
            read.lineNumbers[list].push_back(number);
            // Most lines are filed already: kept as they stand, with nothing to note.
            if (alreadyFiled(line)) {
                read.lists[list].emplace_back(line);
                continue;
            }
            CheckResult r = fullCheck(line);
            const bool asFiled = !r.dataok || r.cmdline == line;
            if (!r.dataok)
                read.notes.push_back({LoadNote::FailsCheck, number, r.errmsg});
            else if (!asFiled)
                read.notes.push_back({LoadNote::FiledAnew, number, r.cmdline});
            read.lists[list].push_back(r.dataok ? std::move(r.cmdline) : std::string(line));
            if (!asFiled) {
                read.writtenIfOther[list].resize(read.lists[list].size());
                read.writtenIfOther[list].back() = line;
            }
        }
    }
    return read;
}

std::optional<std::string> compileFileText(std::string_view bytes, const Clock& clock, MessageBox& messages)
{
    const auto program = compile(readProgramFile(bytes).lists, clock, messages);
    if (!program)
        return std::nullopt;
    return std::move(*program).code();
}

std::string writeProgramFile(const CommandLists& lists)
{
    std::string out;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (i > 0) {
            out += separatorLine;
            out += "\r\n";
        }
        for (const auto& item : lists[i]) {
            if (trim(item).empty())
                continue;
            out += item;
            out += "\r\n";
        }
    }
    return out;
}

LoadedProgram loadProgram(TextFiles& files, const std::string& path, bool regularOnly)
{
    const TextFiles::Read read = files.read(path, programFileLimit, regularOnly);
    if (!read.ok)
        return {std::nullopt, read.error};
    return {readProgramFile(read.bytes), {}};
}

std::optional<std::string> saveProgram(TextFiles& files, const std::string& path, const CommandLists& lists)
{
    return files.write(path, writeProgramFile(lists));
}

} // namespace fh
