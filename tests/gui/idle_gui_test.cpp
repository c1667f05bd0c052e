#include "gui/form3.h"

#include "simwindows.h"
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>
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
TEST(ClockLabel, LeavesTheUpdatesOfAHeldOffWindowOff)
{
    QWidget window;
    auto* label = new fh::ClockLabel(QStringLiteral("12:00:00"), &window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setUpdatesEnabled(false);
    label->showTime(QStringLiteral("12:00:01"));
    EXPECT_EQ(label->text().toStdString(), "12:00:01");
    EXPECT_FALSE(label->updatesEnabled());
}

// What a label's picture shows of its text: the box of the pixels unlike its
// background, and the darkest of them.
struct Ink {
    QRect box;
    QColor darkest;
};

Ink inkOf(QWidget& label)
{
    const QImage image = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb background = label.palette().color(label.backgroundRole()).rgb();
    Ink ink{{}, Qt::white};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y); pixel != background) {
                ink.box |= QRect(x, y, 1, 1);
                if (qGray(pixel) < qGray(ink.darkest.rgb()))
                    ink.darkest = QColor(pixel);
            }
    return ink;
}

void expectAlike(const Ink& clock, const Ink& label)
{
    ASSERT_FALSE(label.box.isEmpty());
    for (const auto& [mine, its] : {std::pair{clock.box.left(), label.box.left()},
                                    {clock.box.right(), label.box.right()},
                                    {clock.box.top(), label.box.top()},
                                    {clock.box.bottom(), label.box.bottom()}})
        EXPECT_LE(std::abs(mine - its), 1) << "clock " << clock.box.x() << "," << clock.box.y() << " "
                                           << clock.box.width() << "x" << clock.box.height() << ", label "
                                           << label.box.x() << "," << label.box.y() << " " << label.box.width()
                                           << "x" << label.box.height();
    for (const auto& [mine, its] : {std::pair{clock.darkest.red(), label.darkest.red()},
                                    {clock.darkest.green(), label.darkest.green()},
                                    {clock.darkest.blue(), label.darkest.blue()}})
        EXPECT_LE(std::abs(mine - its), 48);
}

// The clock draws its characters from images made once; it must look as a plain label
// does, in every placing, and again after its font or colours change.
TEST(ClockLabel, LooksAsAPlainLabelDoes)
{
    const struct {
        const char* text;
        Qt::Alignment align;
        int points;
        bool wrap;
    } cases[] = {
        {"12:34:56", Qt::AlignLeft | Qt::AlignVCenter, 8, false},
        {"07:08:09", Qt::AlignLeft | Qt::AlignTop, 14, false},
        {"23:59:59", Qt::AlignRight | Qt::AlignBottom, 10, false},
        {"Label6 \u00d7", Qt::AlignHCenter | Qt::AlignVCenter, 9, false},
        {"12:00:00 (preview of the day)", Qt::AlignLeft | Qt::AlignTop, 8, true},
        {"12:00:00", Qt::AlignLeft | Qt::AlignVCenter, 8, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QWidget window;
        const QString text = QString::fromUtf8(c.text);
        auto* clock = new fh::ClockLabel(text, &window);
        auto* label = new QLabel(text, &window);
        label->setAutoFillBackground(true);
        for (QLabel* l : {static_cast<QLabel*>(clock), label}) {
            l->setAlignment(c.align);
            l->setWordWrap(c.wrap);
            QFont font = l->font();
            font.setPointSize(c.points);
            l->setFont(font);
            l->resize(90, 40);
        }
        label->move(0, 50);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        expectAlike(inkOf(*clock), inkOf(*label));

        for (QLabel* l : {static_cast<QLabel*>(clock), label}) {
            QFont font = l->font();
            font.setPointSize(c.points + 3);
            font.setBold(true);
            l->setFont(font);
            QPalette palette = l->palette();
            palette.setColor(QPalette::WindowText, QColor(0, 0, 160));
            l->setPalette(palette);
        }
        expectAlike(inkOf(*clock), inkOf(*label));
    }
}

} // namespace
