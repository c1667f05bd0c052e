#include "files/listing.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

using Page = std::vector<std::string>;

const std::string heading = std::string(24, ' ') + "GREENHOUSE PROGRAM";
const std::string separator = std::string(16, ' ') + "==";

std::string printed(const std::string& item) { return std::string(12, ' ') + item; }

Page top() { return {"", "", "", "", heading}; }

// Items "T,from" up to "T,to" (exclusive), as listed or as printed.
Page items(char letter, int from, int to, bool asPrinted = false)
{
    Page out;
    for (int i = from; i < to; ++i)
        out.push_back(std::string(asPrinted ? 12 : 0, ' ') + letter + "," + std::to_string(i));
    return out;
}

Page operator+(Page a, const Page& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Page> print(const CommandLists& lists)
{
    doubles::RecordingPrinter printer;
    EXPECT_EQ(printListing(lists, printer, "listing"), std::nullopt);
    EXPECT_EQ(printer.fontSize, listingFontSize);
    EXPECT_EQ(printer.ended, 1);
    return printer.pages;
}

TEST(Listing, BreaksPagesByItemCount)
{
    const struct { const char* name; CommandLists lists; std::vector<Page> pages; } cases[] = {
        {"Empty", {}, {top() + Page{separator, separator}}},
        {"OneOfEach",
         {{{"T,1"}, {"L,1"}, {"W,1"}}},
         {top() + Page{printed("T,1"), separator, printed("L,1"), separator, printed("W,1")}}},
        {"FiftyInList1LeaveSeparatorsAloneOnPage2",
         {{items('T', 0, 50), {}, {}}},
         {top() + items('T', 0, 50, true), {separator, separator}}},
        {"LaterPagesTake51",
         {{items('T', 0, 49), items('L', 0, 52), items('W', 0, 51)}},
         {top() + items('T', 0, 49, true) + Page{separator} + items('L', 0, 1, true),
          Page{} + items('L', 1, 52, true),
          Page{separator} + items('W', 0, 51, true)}},
        // A page of blank items is still a page; breaks at the very end add none.
        {"PageOfBlankItemsStaysEmpty",
         {{items('T', 0, 50) + std::vector<std::string>(51, " ") + Page{"T,x"}, {}, {}}},
         {top() + items('T', 0, 50, true), Page{}, Page{printed("T,x"), separator, separator}}},
        {"BlankItemsAtTheEndAddNoLastPage",
         {{{}, {}, items('W', 0, 50) + std::vector<std::string>(51, " ")}},
         {top() + Page{separator, separator} + items('W', 0, 50, true)}},
        {"SpaceOnlyItemCountsButIsNotPrinted",
         {{{"T,0", "   ", "", "t,3 lower"}, {}, {}}},
         {top() + Page{printed("T,0"), printed("t,3 lower"), separator, separator}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(print(c.lists), c.pages);
    }
}

// The program's lines are Latin-1; what leaves for the printer is UTF-8.
TEST(Listing, PrintsLatin1LinesInUtf8)
{
    const std::vector<Page> pages{top() + Page{printed("T,06:00:00,70\xC2\xB0,80"), separator, separator}};
    EXPECT_EQ(print({{{"T,06:00:00,70\xB0,80"}, {}, {}}}), pages);
}

} // namespace
} // namespace fh
