#include "compiler/daydiff.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

TEST(DayDiff, LinesOnlyInOneProgramCountAsAMultisetWhateverTheList)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* why;
        CommandLists a, b;
        Lines onlyA, onlyB;
    } cases[] = {
        {"the earliest copies are matched first", {Lines{}, Lines{"X", "Y", "X"}, Lines{}},
         {Lines{}, Lines{"X"}, Lines{}}, {"Y", "X"}, {}},
        {"a line is matched in another list", {Lines{"X"}, Lines{}, Lines{}}, {Lines{}, Lines{}, Lines{"X", "Z"}},
         {}, {"Z"}},
        {"in list order, T before L before W", {Lines{"T"}, Lines{"L"}, Lines{"W"}}, {}, {"T", "L", "W"}, {}},
        {"lines of nothing but spaces are left out", {Lines{"   ", ""}, Lines{}, Lines{}},
         {Lines{" "}, Lines{}, Lines{}}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto [onlyA, onlyB] = linesOnlyIn(c.a, c.b);
        EXPECT_EQ(onlyA, c.onlyA);
        EXPECT_EQ(onlyB, c.onlyB);
    }
}

CommandLists filed(const std::vector<std::string>& lines)
{
    CommandLists lists;
    for (const auto& line : lines)
        lists[static_cast<std::size_t>(std::max(listOf(line), 0))].push_back(line);
    return lists;
}

// The comparison adds up the totals on its own walk over both days; they must be the
// day's totals all the same.
TEST(DayDiff, ChangedTotalsAreTheDaysTotals)
{
    const std::vector<std::string> programs[] = {
        {},
        {"T,00:00:00,60,66", "T,12:00:00,70,74", "L,06:00:00,1/2,ON", "L,18:00:00,1,OFF"},
        {"T,12:00:00,64,80", "L,22:00:00,1,ON", "L,02:00:00,1,OFF", "W,12:00:00,3,P1,5S,10M", "W,12:00:00,3,ON"},
        {"W,06:00:00,1/2,P2,1M,20M", "W,06:00:30,2,OFF", "W,23:59:59,1,ON", "T,23:59:59,50,90"},
    };
    doubles::RecordingMessageBox messages;
    const Display display;
    for (const auto& a : programs)
        for (const auto& b : programs) {
            const auto programA = dayProgram(filed(a), messages), programB = dayProgram(filed(b), messages);
            ASSERT_TRUE(programA && programB);
            const auto linesA = totalsLines(totalsOf(*programA), display);
            const auto linesB = totalsLines(totalsOf(*programB), display);
            std::vector<std::pair<std::string, std::string>> changed;
            for (std::size_t k = 0; k < linesA.size(); ++k)
                if (linesA[k] != linesB[k])
                    changed.emplace_back(linesA[k], linesB[k]);
            EXPECT_EQ(compareDays(*programA, filed(a), *programB, filed(b), display).totals, changed);
        }
}

} // namespace
} // namespace fh
