#include "platform/displaylist.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

constexpr Color red{255, 0, 0}, blue{0, 0, 255};

TEST(DisplayList, ReplayAndAppendDrawEveryItemAgainInOrder)
{
    DisplayList drawn;
    drawn.scale(-2, 12, 26, -12);
    drawn.line(1, 2, 3, 4, red);
    drawn.fillRect(5, 6, 7, 8, blue);
    drawn.outlineRect(9, 10, 11, 12, red);
    drawn.point(13, 14, blue);
    drawn.setFontSize(14);
    drawn.text(15, 16, "Hours", red);
    ASSERT_EQ(drawn.items().size(), 7u);
    const DrawItem& text = drawn.items().back();
    EXPECT_EQ(text.kind, DrawItem::Text);
    EXPECT_EQ(text.text, "Hours");
    EXPECT_EQ(text.x1, 15);
    EXPECT_EQ(text.y1, 16);
    EXPECT_EQ(text.color, red);

    DisplayList replayed;
    drawn.replay(replayed);
    EXPECT_EQ(replayed.items(), drawn.items());

    DisplayList first;
    first.line(0, 0, 1, 1, red);
    first.append(drawn);
    ASSERT_EQ(first.items().size(), 8u);
    EXPECT_EQ(first.items()[0].kind, DrawItem::Line);
    EXPECT_EQ(first.items()[1].kind, DrawItem::Scale);
    EXPECT_TRUE(DisplayList().empty());
}

} // namespace
} // namespace fh
