#include "files/programfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reading never fails, and what is written reads back to the same lists, less the
// items that are empty or of spaces only.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fh::CommandLists lists = fh::readProgramFile(bytes);
    const fh::CommandLists again = fh::readProgramFile(fh::writeProgramFile(lists));
    for (std::size_t i = 0; i < lists.size(); ++i) {
        std::size_t kept = 0;
        for (const auto& item : lists[i]) {
            if (item.find_first_not_of(' ') == std::string::npos)
                continue;
            if (kept >= again[i].size() || again[i][kept] != item)
                __builtin_trap();
            ++kept;
        }
        if (kept != again[i].size())
            __builtin_trap();
    }
    return 0;
}
