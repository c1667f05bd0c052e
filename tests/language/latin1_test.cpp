#include "language/latin1.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace fh {
namespace {

using namespace std::string_literals;

TEST(Latin1, FromUtf8TakesOnlyCharactersUpToU00FFWrittenInShortestForm)
{
    const struct { const char* why; std::string utf8; std::optional<std::string> latin1; } cases[] = {
        {"nothing", "", ""},
        {"ASCII as it is", "T,06:00:00,70,80", "T,06:00:00,70,80"},
        {"a NUL byte is ASCII", "a\0b"s, "a\0b"s},
        {"U+0080, the first character of two bytes", "\xC2\x80", "\x80"},
        {"degree sign", "70\xC2\xB0,80", "70\xB0,80"},
        {"e acute", "\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"U+00FF, the last", "\xC3\xBF", "\xFF"},
        {"a stray continuation byte", "T\x80", std::nullopt},
        {"a stray continuation after a whole character", "\xC3\xA9\x80", std::nullopt},
        {"a lead byte at the end", "70\xC2", std::nullopt},
        {"a lead byte before ASCII", "\xC3" "A", std::nullopt},
        {"a lead byte before a lead byte", "\xC3\xC3\xA9", std::nullopt},
        {"a three-byte sequence cut short", "\xE2\x82", std::nullopt},
        {"overlong slash in two bytes", "\xC0\xAF", std::nullopt},
        {"overlong A in two bytes", "\xC1\x81", std::nullopt},
        {"overlong e acute in three bytes", "\xE0\x83\xA9", std::nullopt},
        {"overlong e acute in four bytes", "\xF0\x80\x83\xA9", std::nullopt},
        {"high surrogate", "\xED\xA0\x80", std::nullopt},
        {"low surrogate", "\xED\xBF\xBF", std::nullopt},
        {"U+0100, above Latin-1", "\xC4\x80", std::nullopt},
        {"euro sign", "\xE2\x82\xAC", std::nullopt},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", std::nullopt},
        {"above U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
        {"a lead byte no UTF-8 has", "\xF8\x88\x80\x80\x80", std::nullopt},
        {"FF is never UTF-8", "\xFF", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(latin1FromUtf8(c.utf8), c.latin1);
    }
}

TEST(Latin1, Utf8FromLatin1WritesBytesAbove7FInTwoBytes)
{
    const struct { std::string latin1, utf8; } cases[] = {
        {"", ""},
        {"L,05:30:00,1,ON", "L,05:30:00,1,ON"},
        {"\x7F", "\x7F"},
        {"\x80", "\xC2\x80"},
        {"70\xB0", "70\xC2\xB0"},
        {"\xBF\xC0", "\xC2\xBF\xC3\x80"},
        {"\xFF", "\xC3\xBF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8FromLatin1(c.latin1), c.utf8) << testing::PrintToString(c.latin1);
}

TEST(Latin1, EveryByteComesBackFromItsUtf8)
{
    for (int byte = 0; byte < 256; ++byte) {
        const std::string latin1(1, static_cast<char>(byte));
        EXPECT_EQ(latin1FromUtf8(utf8FromLatin1(latin1)), latin1) << byte;
    }
}

} // namespace
} // namespace fh
