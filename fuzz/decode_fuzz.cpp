#include "compiler/decode.h"
#include "compiler/program.h"
#include "platform/doubles/doubles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Code that decodes compiles to code that decodes to the same lines, in time order.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fh::DecodedCode first = fh::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (first.unreadable)
        return 0;
    fh::doubles::RecordingMessageBox messages;
    fh::Program program;
    if (!program.compile(first.lists, messages, fh::doubles::FakeClock()))
        __builtin_trap();
    std::string code;
    for (int i = 0; i <= program.proglast(); ++i)
        code += program.prog()[static_cast<std::size_t>(i)] + "\n";
    fh::DecodedCode again = fh::decode(code);
    if (again.unreadable)
        __builtin_trap();
    for (std::size_t i = 0; i < first.lists.size(); ++i) {
        std::ranges::sort(first.lists[i]);
        std::ranges::sort(again.lists[i]);
    }
    if (again.lists != first.lists)
        __builtin_trap();
    return 0;
}
