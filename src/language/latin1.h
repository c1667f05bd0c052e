#pragma once

// Program lines are Latin-1 bytes, as the program file stores them; terminals and
// scripts speak UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace fh {

inline constexpr std::string_view notLatin1 = "only Latin-1 characters can be stored in the program file";

// No value when the text is not UTF-8 or holds a character above U+00FF.
std::optional<std::string> latin1FromUtf8(std::string_view utf8);
std::string utf8FromLatin1(std::string_view latin1);

} // namespace fh
