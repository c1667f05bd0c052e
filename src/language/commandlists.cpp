#include "language/commandlists.h"

#include "language/terms.h"

namespace fh {

int listOf(std::string_view line)
{
    const std::string_view letter = trim(line.substr(0, line.find(',')));
    if (letter == "T")
        return 0;
    if (letter == "L")
        return 1;
    if (letter == "W")
        return 2;
    return -1;
}

} // namespace fh
