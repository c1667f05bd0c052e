#include "compiler/decode.h"
#include "compiler/program.h"
#include "platform/doubles/doubles.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string compiled(const fh::CommandLists& lists)
{
    fh::doubles::RecordingMessageBox messages;
    const auto compiled = fh::compile(lists, fh::doubles::FakeClock(), messages);
    if (!compiled)
        __builtin_trap();
    return compiled->code();
}

// Code that decodes compiles to code that decodes to the same lines.
void decodesAgain(std::string_view bytes)
{
    fh::DecodedCode first = fh::decode(bytes);
    if (first.unreadable)
        return;
    fh::DecodedCode again = fh::decode(compiled(first.lists));
    if (again.unreadable)
        __builtin_trap();
    for (std::size_t i = 0; i < first.lists.size(); ++i) {
        std::ranges::sort(first.lists[i]);
        std::ranges::sort(again.lists[i]);
    }
    if (again.lists != first.lists)
        __builtin_trap();
}

// The same rows of each letter in the same order: rows of different letters that share
// a time may change places.
bool sameRows(const std::string& a, const std::string& b)
{
    const auto rows = [](const std::string& code) {
        std::array<std::vector<std::string>, 3> letters;
        for (std::size_t at = 0, end; (end = code.find('\n', at)) != std::string::npos; at = end + 1) {
            const int list = fh::listOf(code.substr(at, end - at));
            if (list >= 0)
                letters[static_cast<std::size_t>(list)].push_back(code.substr(at, end - at));
        }
        return letters;
    };
    return rows(a) == rows(b);
}

// The bytes as choices among plausible column values; 0 once they run out.
class Choices {
public:
    explicit Choices(std::string_view bytes) : bytes(bytes) {}
    unsigned next() { return at < bytes.size() ? static_cast<unsigned char>(bytes[at++]) : 0; }
    std::string_view pick(std::initializer_list<std::string_view> from) { return from.begin()[next() % from.size()]; }

private:
    std::string_view bytes;
    std::size_t at = 0;
};

// A number right-aligned in `width` as the compiler writes it: a pulse column (wide 6)
// puts a blank before a number without a minus.
std::string column(std::string_view number, std::size_t width)
{
    std::string text = width == 6 && !number.starts_with('-') ? " " : "";
    text += number;
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

// Rows of code in the compiler's own layout, so code that comes back is the same text.
std::string codeRows(std::string_view bytes)
{
    Choices choose(bytes);
    std::string code;
    for (unsigned rows = 1 + choose.next() % 16; rows > 0; --rows) {
        const std::string_view letter = choose.pick({"T", "L", "W"});
        code.append(letter).append(",").append(choose.pick(
            {"00:00:00", "05:59:59", "06:00:00", "06:00:00", "12:00:00", "23:59:59", "24:00:00", "24:30:00"}));
        // Mostly one state for the outputs a row names, now and then another.
        const std::string_view state = choose.pick({"-1", "0", "1", "11", "12", "16", "17", "10"});
        const unsigned named = choose.next();
        for (unsigned k = 0; k < 6; ++k) {
            std::string_view value = named & (1u << k) ? state : "-1";
            if (letter == "T")
                value = k < 2 ? choose.pick({"70", "80", "32", "110", "69.5", "0"}) : "0";
            if (choose.next() % 16 == 0)
                value = choose.pick({"-1", "0", "1", "2", "11", "0.5", "-2", "70"});
            code.append(",").append(column(value, 2));
        }
        const unsigned modeFrom = choose.next() % 4;
        const std::string_view mode =
            modeFrom == 0 ? "0" : modeFrom == 1 ? state : choose.pick({"0", "1", "11", "12", "16"});
        code.append(",").append(column(mode, 2)).append(",");
        for (int p = 0; p < 3; ++p)
            code.append(column(choose.pick({"0", "0", "3", "600", "-5", "0.25", "123456", "99999"}), 6));
        code += '\n';
    }
    return code;
}

} // namespace

// The bytes as code, and as rows of code built from them: whatever decodes compiles
// back to the same code, but for the order of lines of different letters at one time.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    decodesAgain(bytes);
    const std::string code = codeRows(bytes);
    const fh::DecodedCode decoded = fh::decode(code);
    if (!decoded.unreadable && !sameRows(compiled(decoded.lists), code))
        __builtin_trap();
    return 0;
}
