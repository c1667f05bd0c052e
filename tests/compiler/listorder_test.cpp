#include "compiler/listorder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace fh {
namespace {

using Lines = std::vector<std::string>;

TEST(ListOrder, EachListByTimeOrNothingWhileLinesShareASecond)
{
    const Lines twelveAtEight(12, "L,08:00:00,1,ON");
    std::string tenNamed(notSorted);
    for (int i = 0; i < 10; ++i)
        tenNamed += "\nL,08:00:00,1,ON";
    // Refused, the lists stay as given.
    const struct { const char* why; CommandLists lists, sorted; std::optional<std::string> message; } cases[] = {
        {"each list by the second it acts at: 24:30:00 at 00:30:00, lines without hh:mm:ss last in their order",
         {Lines{"T,18:00:00,70,80", "T,24:30:00,60,70", "T,08:00:00,70,80"},
          Lines{"L,6:00,2,ON", "L,09:00:00,1,ON", "L", "L,07:00:00,1,OFF"}, Lines{"W,23:59:59,1,OFF", "W,00:00:01,1,ON"}},
         {Lines{"T,24:30:00,60,70", "T,08:00:00,70,80", "T,18:00:00,70,80"},
          Lines{"L,07:00:00,1,OFF", "L,09:00:00,1,ON", "L,6:00,2,ON", "L"}, Lines{"W,00:00:01,1,ON", "W,23:59:59,1,OFF"}},
         std::nullopt},
        {"one second in two lists, 24:00:00 being 00:00:00",
         {Lines{"T,00:00:00,70,80"}, Lines{"L,24:00:00,1,OFF", "L,12:00:00,1,ON"}, Lines{}},
         {Lines{"T,00:00:00,70,80"}, Lines{"L,24:00:00,1,OFF", "L,12:00:00,1,ON"}, Lines{}},
         std::string(notSorted) + "\nT,00:00:00,70,80\nL,24:00:00,1,OFF"},
        {"at most ten lines named", {Lines{}, twelveAtEight, Lines{}}, {Lines{}, twelveAtEight, Lines{}},
         tenNamed + "\nand 2 more"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        CommandLists lists = c.lists;
        EXPECT_EQ(sortByTime(lists), c.message);
        EXPECT_EQ(lists, c.sorted);
    }
}

} // namespace
} // namespace fh
