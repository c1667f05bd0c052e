#include "gui/form3.h"
#include "gui/paintalone.h"

#include "simwindows.h"
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using fh::test::control;

// The names of the widgets painted, and the paints asked for by a posted event.
class PaintLog : public QObject {
public:
    PaintLog() { qApp->installEventFilter(this); }
    ~PaintLog() override { qApp->removeEventFilter(this); }
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;

    std::set<std::string> painted;
    int updateRequests = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched->objectName().toStdString());
        if (event->type() == QEvent::UpdateRequest)
            ++updateRequests;
        return QObject::eventFilter(watched, event);
    }
};

// The repaints of every pending update, and nothing left to come.
void flushPaints()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

class IdleGuiTest : public testing::Test, protected fh::test::SimulatedWindows {
protected:
    IdleGuiTest() { QApplication::setCursorFlashTime(0); }
    ~IdleGuiTest() override { QApplication::setCursorFlashTime(flashMs); }

    // A blinking cursor repaints its box on timers of its own.
    const int flashMs = QApplication::cursorFlashTime();
};

// A second in which nothing but the time changes repaints the time's labels alone: not
// the window beneath the clock, nor the Force Lights button that overlaps its foot. They
// are painted as the second turns, without a posted paint to wake the event loop again.
TEST_F(IdleGuiTest, ASecondRepaintsOnlyTheLabelsOfTheTime)
{
    session.open(fh::CommandLists{{{"T,12:00:00,70,80"}, {"L,12:00:00,1,ON"}, {"W,12:00:00,1,ON"}}});
    fh::test::showActive(form);
    const struct {
        const char* action;
        std::set<std::string> painted;
    } cases[] = {
        {"sson", {"Label6", "PreviewTime"}},
        {"ssoff", {"Label6"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        control<QAction>(form, c.action)->trigger();
        if (simulation.simrun()) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&controls.form3()));
        }
        // The first second after a switch may change more than the time.
        clock.advance();
        flushPaints();
        for (int second = 0; second < 3; ++second) {
            PaintLog log;
            clock.advance();
            EXPECT_EQ(log.painted, c.painted);
            log.updateRequests = 0;
            flushPaints();
            EXPECT_EQ(log.painted, c.painted);
            EXPECT_EQ(log.updateRequests, 0);
            EXPECT_EQ(form.widgets().clock->text().toStdString(), fh::formatTime(clock.secondsOfDay()));
        }
    }
}

// A window whose updates are held off keeps its clock held off too, to paint with the rest.
TEST(ShowAlone, LeavesTheUpdatesOfAHeldOffWindowOff)
{
    QWidget window;
    auto* label = new QLabel(QStringLiteral("12:00:00"), &window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setUpdatesEnabled(false);
    fh::showAlone(*label, QStringLiteral("12:00:01"));
    EXPECT_EQ(label->text().toStdString(), "12:00:01");
    EXPECT_FALSE(label->updatesEnabled());
}

} // namespace
