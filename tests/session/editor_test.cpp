#include "session/editor.h"
#include "session/history.h"

#include "platform/doubles/doubles.h"

#include <gtest/gtest.h>

#include <utility>

namespace fh {
namespace {

using Lines = std::vector<std::string>;

// An editor and its undo history, holding one T line and three L lines unless given others.
struct Editing {
    explicit Editing(CommandLists lists = {Lines{"T,01:00:00,70,80"}, Lines{"L,1", "L,2", "L,3"}, Lines{}})
    {
        editor.replaceLists(std::move(lists));
    }
    void type(const char* line)
    {
        history.record([&] { ASSERT_TRUE(editor.pumpcom(line)); });
    }
    const Lines& lights() const { return editor.lists()[1]; }

    doubles::RecordingMessageBox messages;
    Editor editor{messages};
    History history{editor};
};

TEST(Editor, DeleteTakesTheSelectionThenTheRememberedItemAndThenTheOneAbove)
{
    // remembered: the selection a key other than Delete saw first; selected: at the first
    // Delete, later ones seeing none; -1: none.
    const struct { const char* why; int remembered, selected; std::vector<Lines> afterEachDelete; } cases[] = {
        {"nothing selected removes the first item, again and again", -1, -1,
         {{"L,2", "L,3"}, {"L,3"}, {}, {}}},
        {"the last item, then the ones above", -1, 2, {{"L,1", "L,2"}, {"L,1"}, {}}},
        {"a middle item, then the first, then the last left", -1, 1, {{"L,1", "L,3"}, {"L,3"}, {}}},
        {"a key remembers the selection for a Delete without one", 2, -1, {{"L,1", "L,2"}, {"L,1"}}},
        {"a remembered item past the end is the last one", 7, -1, {{"L,1", "L,2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Editing fresh;
        if (c.remembered >= 0)
            fresh.editor.rememberSelection(1, c.remembered);
        int selected = c.selected;
        for (const Lines& expected : c.afterEachDelete) {
            fresh.editor.deleteSelected(1, std::exchange(selected, -1));
            EXPECT_EQ(fresh.editor.lists()[1], expected);
        }
        EXPECT_EQ(fresh.editor.lists()[0], Lines{"T,01:00:00,70,80"}) << "other lists stay";
    }
}

// Lists outside the three change nothing.
TEST(Editor, CopyAndEditTakeOnlyAnItemOfTheList)
{
    Editing e;
    Editor& editor = e.editor;
    const CommandLists before = editor.lists();
    for (int list : {-1, 3, 1000}) {
        editor.rememberSelection(list, 0);
        editor.deleteSelected(list, 0);
        EXPECT_FALSE(editor.copySelected(list, 0)) << list;
        EXPECT_FALSE(editor.edit(list, 0, "T,2:00,60,70")) << list;
    }
    EXPECT_EQ(editor.lists(), before);
    EXPECT_EQ(editor.copySelected(1, 2), "L,3");
    EXPECT_EQ(editor.copySelected(0, 0), "T,01:00:00,70,80");
    for (int selected : {-1, 3}) {
        EXPECT_FALSE(editor.copySelected(1, selected)) << selected;
        EXPECT_FALSE(editor.edit(1, selected, "L,2:00,1,ON")) << selected;
    }
    EXPECT_FALSE(editor.copySelected(2, 0)) << "an empty list";
}

TEST(Editor, TypedLinesAreFiledNormalisedOrReportedWithNothingChanged)
{
    Editing e;
    Editor& editor = e.editor;
    EXPECT_TRUE(editor.pumpcom("w,6:30,1/2,p2,5s,10m"));
    EXPECT_EQ(editor.lists()[2], Lines{"W,06:30:00,1/2,P2,5S,10M"});
    EXPECT_EQ(editor.indicator(), Indicator::NotCurrent);
    EXPECT_TRUE(editor.modified());

    editor.sendit();
    const CommandLists before = editor.lists();
    EXPECT_FALSE(editor.pumpcom("L,25:00,1,ON"));
    EXPECT_FALSE(editor.dataok());
    EXPECT_EQ(editor.lists(), before);
    EXPECT_EQ(e.messages.shown, Lines{"format time hr:min:sec"});
    EXPECT_EQ(editor.indicator(), Indicator::Programmed) << "a refused line leaves the indicator";
    editor.deleteSelected(2, 0);
    EXPECT_FALSE(editor.modified()) << "a line entered and removed again is no change";
}

// Fault mended: a grower typing °C was told the range of set-points in °F, without a unit.
TEST(Editor, SaysTheRangeOfSetPointsInTheUnitsOfItsDisplay)
{
    const struct { Display::Temperature temperature; const char* line; std::string shown; } rows[] = {
        {Display::Temperature::Fahrenheit, "T,6,70,113", "high temp is out of range 32 to 110"},
        {Display::Temperature::Celsius, "T,6,70,113", "high temp is out of range 0.0 \u00B0C to 43.3 \u00B0C"},
        {Display::Temperature::Celsius, "T,6,20,80", "low temp is out of range 0.0 \u00B0C to 43.3 \u00B0C"},
        {Display::Temperature::Celsius, "T,6,70,71", "high temp is too close to low temp (2 degrees F)"},
    };
    for (const auto& row : rows) {
        Editing e;
        e.editor.setDisplay(Display{row.temperature});
        EXPECT_FALSE(e.editor.pumpcom(row.line));
        EXPECT_EQ(e.messages.shown, Lines{row.shown}) << row.line;
    }
}

// The walk back and forth is the main window's test; here what it does not show.
TEST(History, ARefusedLineMakesNoStepAndANewStepDropsThoseUndone)
{
    Editing e(CommandLists{});
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
    Editing e(CommandLists{});
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
