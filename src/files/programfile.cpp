#include "files/programfile.h"

#include "language/terms.h"

namespace fh {

CommandLists readProgramFile(std::string_view bytes)
{
    CommandLists lists;
    std::size_t section = 1;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // A line ends at CR; a LF right after the CR belongs to that line end.
        const auto cr = bytes.find('\r', pos);
        const std::string_view line = bytes.substr(pos, cr == std::string_view::npos ? std::string_view::npos : cr - pos);
        if (cr == std::string_view::npos)
            pos = bytes.size();
        else
            pos = cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;

        if (line == separatorLine)
            ++section;
        else if (section <= 3)
            lists[section - 1].emplace_back(line);
    }
    return lists;
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

} // namespace fh
