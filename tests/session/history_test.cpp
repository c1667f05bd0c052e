#include "session/history.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

using Lines = std::vector<std::string>;

struct Editing {
    doubles::RecordingMessageBox messages;
    Editor editor{messages};
    History history{editor};

    void type(const char* line)
    {
        history.record([&] { ASSERT_TRUE(editor.pumpcom(line)); });
    }
    const Lines& lights() const { return editor.lists()[1]; }
};

// The walk back and forth is the main window's test; here what it does not show.
TEST(History, ARefusedLineMakesNoStepAndANewStepDropsThoseUndone)
{
    Editing e;
    e.type("L,1,1,ON");
    e.type("L,2,1,ON");
    EXPECT_FALSE(e.history.record([&] { e.editor.pumpcom("L,2"); }));
    ASSERT_TRUE(e.history.undo());
    EXPECT_EQ(e.lights(), Lines{"L,01:00:00,1,ON"});
    e.type("L,3,1,ON");
    EXPECT_FALSE(e.history.canRedo());
    EXPECT_FALSE(e.history.redo());
    EXPECT_EQ(e.lights(), (Lines{"L,01:00:00,1,ON", "L,03:00:00,1,ON"}));
    ASSERT_TRUE(e.history.undo());
    ASSERT_TRUE(e.history.undo());
    EXPECT_FALSE(e.history.canUndo());
    EXPECT_FALSE(e.history.undo());
}

// Delete's remembered item comes back with the lists, so Delete after an undo takes
// the item it would have taken then.
TEST(History, UndoPutsBackTheItemDeleteRemembers)
{
    Editing e;
    for (const char* line : {"L,1,1,ON", "L,2,1,ON", "L,3,1,ON"})
        e.type(line);
    e.editor.rememberSelection(1, 2);
    e.history.record([&] { e.editor.deleteSelected(1, -1); });
    ASSERT_TRUE(e.history.undo());
    e.editor.deleteSelected(1, -1);
    EXPECT_EQ(e.lights(), (Lines{"L,01:00:00,1,ON", "L,02:00:00,1,ON"}));
}

} // namespace
} // namespace fh
