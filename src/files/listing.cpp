#include "files/listing.h"

#include "editor/terms.h"
#include "files/programfile.h"
#include "platform/printer.h"

namespace fh {

namespace {

// Holds a page break back until something follows it, so that a break right
// before the end of the document leaves no empty page.
class Pages {
public:
    explicit Pages(Printer& printer) : printer(printer) {}
    void line(const std::string& text)
    {
        if (breakPending)
            printer.newPage();
        breakPending = false;
        printer.printLine(text);
    }
    void pageBreak() { breakPending = true; }

private:
    Printer& printer;
    bool breakPending = false;
};

} // namespace

std::optional<std::string> printListing(const CommandLists& lists, Printer& printer)
{
    printer.setFontSize(listingFontSize);
    Pages pages(printer);
    for (int i = 0; i < 4; ++i)
        pages.line({});
    pages.line(std::string(24, ' ') + upper("greenhouse program"));

    int counter = 1;
    for (std::size_t list = 0; list < lists.size(); ++list) {
        if (list > 0)
            pages.line(std::string(16, ' ') + std::string(separatorLine));
        for (const auto& item : lists[list]) {
            if (!trim(item).empty())
                pages.line(std::string(12, ' ') + item);
            if (++counter > firstPageItems) {
                counter = 0;
                pages.pageBreak();
            }
        }
    }
    return printer.endDoc();
}

} // namespace fh
