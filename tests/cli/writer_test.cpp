#include "cli/output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace fh::cli::output {
namespace {

TEST(Writer, JsonStringsAreValidUtf8WhateverTheBytes)
{
    const struct {
        std::string bytes;
        std::string json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"\\", "\"say \\\"hi\\\"\\\\\""},
        {"tab\tnl\n\x01", "\"tab\\u0009nl\\u000a\\u0001\""},
        {"21.1 \xC2\xB0" "C \xE2\x86\x92 \xF0\x9F\x8C\xB1", "\"21.1 \xC2\xB0" "C \xE2\x86\x92 \xF0\x9F\x8C\xB1\""},
        // A Latin-1 degree sign, an overlong slash, a surrogate, a code point past
        // U+10FFFF and a character cut short: each byte that is no part of one is U+FFFD.
        {"\xB0" "C", "\"\xEF\xBF\xBD" "C\""},
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"a\xE2\x86", "\"a\xEF\xBF\xBD\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jsonString(c.bytes), c.json) << c.bytes;
}

TEST(Writer, JsonPutsTheCommasBetweenValuesOnly)
{
    std::ostringstream out;
    Json json(out);
    json.beginObject().key("same").boolean(false).key("days").beginArray();
    json.beginObject().key("low").number("21.1").key("n").number(-3).endObject();
    json.beginArray().endArray().null().string("x");
    json.endArray().key("empty").beginObject().endObject().endObject().end();
    EXPECT_EQ(out.str(), "{\"same\":false,\"days\":[{\"low\":21.1,\"n\":-3},[],null,\"x\"],\"empty\":{}}\n");
}

TEST(Writer, RowsKeepTheirColumns)
{
    const std::vector<std::string> fields{"a,b", "say \"x\"", "tab\there", "two\nlines", "", "plain"};
    std::ostringstream tsv, csv;
    tsvRow(tsv, fields);
    csvRow(csv, fields);
    EXPECT_EQ(tsv.str(), "a,b\tsay \"x\"\ttab here\ttwo lines\t\tplain\n");
    EXPECT_EQ(csv.str(), "\"a,b\",\"say \"\"x\"\"\",tab\there,\"two\nlines\",,plain\r\n");
}

TEST(Writer, Latin1TextIsWrittenAsUtf8)
{
    std::ostringstream out;
    line(out, "T,6:00:00,70,80 \xB0");
    text(out, "\xE9t\xE9\n");
    EXPECT_EQ(out.str(), "T,6:00:00,70,80 \xC2\xB0\n\xC3\xA9t\xC3\xA9\n");
}

} // namespace
} // namespace fh::cli::output
