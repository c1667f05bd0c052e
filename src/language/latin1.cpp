#include "language/latin1.h"

namespace fh {

std::optional<std::string> latin1FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            continue;
        }
        // Two bytes C2 or C3, then 80..BF, are U+0080..U+00FF; anything else is
        // a larger character or no UTF-8 at all.
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= utf8.size())
            return std::nullopt;
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        out += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
        ++i;
    }
    return out;
}

std::string utf8FromLatin1(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

} // namespace fh
