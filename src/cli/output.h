#pragma once

// The one writer of the commands' output: lines of text, JSON, TSV rows and CSV rows.
// Program lines and messages are Latin-1 and are handed over as such where said;
// everything written is UTF-8, and a JSON string is valid UTF-8 whatever bytes it is
// given.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace fh::cli::output {

// A Latin-1 text as UTF-8 text; `line` ends it with a line end.
void text(std::ostream& out, std::string_view latin1);
void line(std::ostream& out, std::string_view latin1);

// A UTF-8 text as a JSON string: quote, backslash and control characters escaped, and
// each byte that is no part of well-formed UTF-8 replaced by U+FFFD.
std::string jsonString(std::string_view utf8);

// JSON written as it goes, with no space between its parts: commas between the values
// of an object or an array are the writer's.
class Json {
public:
    explicit Json(std::ostream& out) : out(out) {}
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    // The name of the object's next member.
    Json& key(std::string_view name);
    Json& string(std::string_view utf8);
    // A number as text, such as the display's "70" or "21.1".
    Json& number(std::string_view text);
    Json& number(long long value);
    Json& boolean(bool value);
    Json& null();
    // Ends the document with a line end.
    void end();

private:
    void beforeValue();

    std::ostream& out;
    // For each object or array open: whether a value was written in it yet.
    std::vector<bool> filled;
    bool afterKey = false;
};

// A row of tab-separated UTF-8 fields: a tab or a line end in a field is a space, as
// it would shift the columns after it.
void tsvRow(std::ostream& out, const std::vector<std::string>& fields);

// A row of comma-separated UTF-8 fields, as the day's export writes them (csvRow).
void csvRow(std::ostream& out, const std::vector<std::string>& fields);

} // namespace fh::cli::output
