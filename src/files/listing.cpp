#include "files/listing.h"

#include "language/latin1.h"
#include "language/terms.h"
#include "files/programfile.h"
#include "platform/printer.h"

namespace fh {

namespace {

// Holds page breaks back until something follows them, so that the document never
// ends on an empty page. Breaks with nothing printed between them (a run of items
// of spaces only) still give their empty pages.
class Pages {
public:
    explicit Pages(Printer& target) : printer(target) {}
    void line(const std::string& text)
    {
        for (; pendingBreaks > 0; --pendingBreaks)
            printer.newPage();
        printer.printLine(utf8FromLatin1(text));
    }
    void pageBreak() { ++pendingBreaks; }

private:
    Printer& printer;
    int pendingBreaks = 0;
};

} // namespace

std::optional<std::string> printListing(const CommandLists& lists, Printer& printer, const std::string& jobName)
{
    printer.setJobName(jobName);
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
