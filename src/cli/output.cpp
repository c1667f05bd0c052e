#include "cli/output.h"

#include "files/export.h"
#include "language/latin1.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace fh::cli::output {

namespace {

// The length of the well-formed UTF-8 character at the start of `text`, or 0 when its
// first byte begins none (overlong forms, surrogates and code points past U+10FFFF are
// not well-formed).
std::size_t characterLength(std::string_view text)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = at(0);
    if (first < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : 0x80;
        high = first == 0xED ? 0x9F : 0xBF;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at(i) < 0x80 || at(i) > 0xBF)
            return 0;
    return length;
}

// A tab or a line end in a field of a row is a space.
std::string oneLine(std::string field)
{
    std::ranges::replace_if(field, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return field;
}

} // namespace

void text(std::ostream& out, std::string_view latin1)
{
    out << utf8FromLatin1(latin1);
}

void line(std::ostream& out, std::string_view latin1)
{
    text(out, latin1);
    out << '\n';
}

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = characterLength(utf8.substr(i));
        const char c = utf8[i];
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out.append(utf8, i, length);
        }
        i += length;
    }
    return out + '"';
}

void Json::beforeValue()
{
    if (!afterKey && !filled.empty() && filled.back())
        out << ',';
    if (!filled.empty())
        filled.back() = true;
    afterKey = false;
}

Json& Json::beginObject()
{
    beforeValue();
    out << '{';
    filled.push_back(false);
    return *this;
}

Json& Json::endObject()
{
    filled.pop_back();
    out << '}';
    return *this;
}

Json& Json::beginArray()
{
    beforeValue();
    out << '[';
    filled.push_back(false);
    return *this;
}

Json& Json::endArray()
{
    filled.pop_back();
    out << ']';
    return *this;
}

Json& Json::key(std::string_view name)
{
    beforeValue();
    out << jsonString(name) << ':';
    afterKey = true;
    return *this;
}

Json& Json::string(std::string_view utf8)
{
    beforeValue();
    out << jsonString(utf8);
    return *this;
}

Json& Json::number(std::string_view text)
{
    beforeValue();
    out << text;
    return *this;
}

Json& Json::number(long long value)
{
    beforeValue();
    out << value;
    return *this;
}

Json& Json::boolean(bool value)
{
    beforeValue();
    out << (value ? "true" : "false");
    return *this;
}

Json& Json::null()
{
    beforeValue();
    out << "null";
    return *this;
}

void Json::end()
{
    out << '\n';
}

void tsvRow(std::ostream& out, const std::vector<std::string>& fields)
{
    for (std::size_t k = 0; k < fields.size(); ++k)
        out << (k ? "\t" : "") << oneLine(fields[k]);
    out << '\n';
}

void csvRow(std::ostream& out, const std::vector<std::string>& fields) { out << fh::csvRow(fields); }

} // namespace fh::cli::output
