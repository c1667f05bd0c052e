#include "language/datcheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// A good line checks again to itself; a bad one always has a message.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const fh::CheckResult r = fh::datcheck(line);
    if (r.dataok) {
        const fh::CheckResult again = fh::datcheck(r.cmdline);
        if (!again.dataok || again.cmdline != r.cmdline)
            __builtin_trap();
    } else if (r.errmsg.empty()) {
        __builtin_trap();
    }
    return 0;
}
