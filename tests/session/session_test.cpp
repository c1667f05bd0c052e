#include "session/session.h"

#include "platform/doubles/doubles.h"
#include "session/programfiles.h"

#include <gtest/gtest.h>

namespace fh {
namespace {

// Sessions share nothing: two programs loaded side by side, with no window, each
// compile into their own program and belong to their own file.
TEST(Session, TwoSessionsHoldAndCompileTheirOwnPrograms)
{
    doubles::AllDevices d;
    d.clock.set(7 * 3600);
    const Devices devices = d.devices();
    d.files.files["a.fhp"] = "==\r\nL,06:00:00,1,ON\r\nL,08:00:00,1,OFF\r\n==\r\n";
    d.files.files["b.fhp"] = "T,09:00:00,60,70\r\n==\r\n==\r\nW,05:00:00,2,ON\r\n";

    Session a(d.messages, d.clock);
    Session b(d.messages, d.clock);
    ProgramFiles aFiles(a, devices);
    ProgramFiles bFiles(b, devices);
    ASSERT_TRUE(aFiles.loadFrom("a.fhp"));
    ASSERT_TRUE(bFiles.loadFrom("b.fhp"));
    ASSERT_TRUE(a.compile());
    const auto aRevision = a.program().revision();
    ASSERT_TRUE(b.compile());

    EXPECT_EQ(a.program().revision(), aRevision);
    EXPECT_EQ(b.program().prog()[0].substr(0, 10), "W,05:00:00");
    EXPECT_EQ(a.fileName(), "a.fhp");
    EXPECT_EQ(b.fileName(), "b.fhp");
    EXPECT_TRUE(d.messages.shown.empty());

    // A change in one leaves the other's lists and undo history alone.
    a.history().record([&] { a.editor().pumpcom("L,12:00,2,ON"); });
    EXPECT_TRUE(a.modified());
    EXPECT_FALSE(b.modified());
    EXPECT_FALSE(b.history().undo());
}

} // namespace
} // namespace fh
