#include "compiler/daydiff.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

TEST(DayDiff, LinesOnlyInOneProgramCountAsAMultisetWhateverTheList)
{
    using Lines = std::vector<std::string>;
    const struct { const char* why; CommandLists a, b; Lines onlyA, onlyB; } cases[] = {
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

} // namespace
} // namespace fh
