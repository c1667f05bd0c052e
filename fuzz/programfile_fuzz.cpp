#include "files/programfile.h"
#include "language/datcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reading never fails; each item is its line as written, filed when it passes the
// check; and what is written reads back to the same lists, less the
// items that are empty or of spaces only, with no line filed anew: a filed line is
// already in its normalised form. A failing first line that begins with a second
// byte-order mark cannot keep it: the mark is dropped when the written file is read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fh::ProgramRead read = fh::readProgramFile(bytes);
    for (std::size_t i = 0; i < read.lists.size(); ++i)
        for (std::size_t j = 0; j < read.lists[i].size(); ++j) {
            const std::string_view written = read.written(i, j);
            const fh::CheckResult check = fh::datcheck(written);
            if (written.find_first_not_of(' ') == std::string_view::npos ||
                read.lists[i][j] != (check.dataok ? std::string_view(check.cmdline) : written))
                __builtin_trap();
        }
    const fh::CommandLists& lists = read.lists;
    const std::string written = fh::writeProgramFile(lists);
    if (written.starts_with(fh::utf8ByteOrderMark))
        return 0;
    const fh::ProgramRead again = fh::readProgramFile(written);
    for (const fh::LoadNote& note : again.notes)
        if (note.kind != fh::LoadNote::FailsCheck)
            __builtin_trap();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::size_t kept = 0;
        for (const auto& item : lists[i]) {
            if (item.find_first_not_of(' ') == std::string::npos)
                continue;
            if (kept >= again.lists[i].size() || again.lists[i][kept] != item)
                __builtin_trap();
            ++kept;
        }
        if (kept != again.lists[i].size())
            __builtin_trap();
    }
    return 0;
}
