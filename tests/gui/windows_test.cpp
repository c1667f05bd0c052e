#include "chart/chart.h"
#include "gui/addlines.h"
#include "gui/comparewindow.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/form3.h"
#include "gui/form4.h"
#include "gui/form5.h"
#include "gui/housewindows.h"
#include "gui/windowplaces.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"

#include "support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <QLineEdit>

#include <memory>

namespace {

using namespace fh;

// Every window of the program, over one session.
struct AllWindows {
    doubles::RecordingMessageBox messages;
    doubles::FakeClock clock;
    Session session{messages, clock};
    Form1 form1{session, messages};
    ChartState chart;
    Form2 form2{chart, &form1};
    Form3 form3;
    doubles::AllDevices devices;
    Form4 form4{devices.devices()};
    Form5 form5{&form1};
    AddLinesDialog addLines{session, form1.history(), "", &form1};
};

// Every line of a label, every word of one that wraps, and every button's caption
// beside its indicator or inside its bevel. A control placed by hand needs a tenth to
// spare, as other renderers and sizes of the fonts draw a little wider; a layout gives
// a control the room its text asks for in the fonts at hand.
void expectCaptionsFit(const QWidget& window)
{
    const auto fits = [&](const QWidget& control, const QString& text, int width) {
        // The windows it owns have their own turn.
        if (control.window() != &window)
            return;
        const bool laidOut = control.parentWidget() && control.parentWidget()->layout();
        EXPECT_LE(control.fontMetrics().horizontalAdvance(text) * (laidOut ? 10 : 11), width * 10)
            << window.objectName().toStdString() << " " << control.objectName().toStdString() << " \""
            << text.toStdString() << '"';
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRegularExpression breaks(label->wordWrap() ? QStringLiteral("\\s") : QStringLiteral("[\r\n]"));
        for (const QString& part : label->text().split(breaks, Qt::SkipEmptyParts))
            fits(*label, part, label->contentsRect().width() - 2 * label->margin());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const auto room = qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                          : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                      : QStyle::SE_PushButtonContents;
        if (!button->text().isEmpty())
            fits(*button, button->text(), button->style()->subElementRect(room, &option, button).width());
    }
}

TEST(Windows, EveryCaptionFitsItsControl)
{
    AllWindows w;
    test::showActive(w.form1);
    // Text7 decides on its scroll bar once the events of its new text are handled.
    QCoreApplication::processEvents();
    HouseDialog house(House{}, std::nullopt, &w.form1);
    TotalsWindow totals(&w.form1);
    CompareWindow compare(w.devices.devices(), [] { return std::string(); });
    const std::initializer_list<QWidget*> others = {&w.form2, &w.form3, &w.form4,  &w.form5,
                                                    &w.addLines, &house, &totals, &compare};
    for (QWidget* window : others) {
        window->show();
        QCoreApplication::processEvents();
    }
    expectCaptionsFit(w.form1);
    for (const QWidget* window : others)
        expectCaptionsFit(*window);
    const auto* text7 = test::control<QPlainTextEdit>(w.form1, "Text7");
    ASSERT_GT(text7->blockCount(), 1) << "the example lines are shown";
    EXPECT_FALSE(text7->verticalScrollBar()->isVisible());
}

// Screen readers and tooltips reach every control, on every window.
TEST(EveryWindow, EveryControlHasAnAccessibleNameAndATooltip)
{
    AllWindows w;
    const QRegularExpression control(QStringLiteral(
        "^((Label|Text|List|Command|Check|Option|Frame|Image|Shape|Line|Grid|Combo)\\d+(_\\d+)?|Preview[A-Z][a-z]+)$"));
    const std::pair<const QWidget*, int> windows[] = {{&w.form1, 57}, {&w.form2, 4},  {&w.form3, 58},
                                                      {&w.form4, 1},  {&w.form5, 1},  {&w.addLines, 9}};
    for (const auto& [window, controls] : windows) {
        int walked = 0;
        for (const QWidget* c : window->findChildren<QWidget*>()) {
            if (!control.match(c->objectName()).hasMatch() || c->window() != window)
                continue;
            ++walked;
            const std::string where = window->objectName().toStdString() + "." + c->objectName().toStdString();
            EXPECT_FALSE(c->accessibleName().isEmpty()) << where;
            EXPECT_FALSE(c->toolTip().isEmpty()) << where;
        }
        EXPECT_EQ(walked, controls) << window->objectName().toStdString();
    }
}

// The panel's boxes look like readings; they are notes the program never reads.
TEST(Windows, ThePanelBoxesSayTheProgramDoesNotReadThem)
{
    AllWindows w;
    const QString note = QStringLiteral("a note about the house; the program does not read it");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
        const auto* box = w.form1.findChild<QLineEdit*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->toolTip().endsWith(note)) << name;
        EXPECT_EQ(box->accessibleDescription(), note) << name;
    }
}

TEST(WindowPlaces, BesideTheMainWindowWhereTheScreenHasRoom)
{
    const QRect screen{0, 0, 1920, 1080};
    const QRect none;
    const struct {
        QRect main, inSight;
        QPoint at;
    } rows[] = {
        {{0, 0, 900, 520}, none, {900, 0}},       // at the right
        {{1300, 100, 600, 520}, none, {700, 100}}, // at the left
        {{500, 40, 1100, 520}, none, {1320, 40}},  // against the screen's right edge
        {{0, 900, 900, 170}, none, {900, 820}},    // raised to keep its foot on the screen
        // No room at either side: over the main window, below its clock and lists.
        {{500, 40, 1100, 520}, {540, 80, 760, 220}, {500, 300}},
        {{-100, 40, 2200, 520}, {-60, 80, 760, 220}, {0, 300}},
        // No room below them either.
        {{500, 700, 1100, 380}, {540, 740, 760, 220}, {1320, 700}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(beside(r.main, r.inSight, {600, 260}, screen), r.at) << r.main.x() << "," << r.main.y();
}

// The simulation window leaves the main window's clock and lists in sight on a screen
// too narrow for it beside the main window.
TEST(WindowPlaces, TheSimulationWindowLeavesTheClockAndListsInSight)
{
    AllWindows w;
    doubles::MemorySettings settings;
    WindowPlaces places(settings, w.form1, [&] { return w.form1.inSight(); });
    test::showActive(w.form1);
    w.form1.move(w.form1.screen()->availableGeometry().topLeft());
    w.form3.show();
    const QRect covered = w.form3.frameGeometry();
    EXPECT_FALSE(covered.intersects(w.form1.inSight()));
    EXPECT_TRUE(w.form1.frameGeometry().contains(w.form1.inSight()));
}

TEST(WindowPlaces, WindowsGoBackWhereTheyStoodWhileThatIsOnAScreen)
{
    doubles::MemorySettings settings;
    settings.values["windows/Form1"] = {"120", "90"};
    settings.values["windows/Form3"] = {"-4000", "90"};
    QWidget main;
    main.setObjectName("Form1");
    main.resize(200, 100);
    auto places = std::make_unique<WindowPlaces>(settings, main);
    main.show();
    EXPECT_EQ(main.pos(), QPoint(120, 90));
    QWidget simulation;
    simulation.setObjectName("Form3");
    simulation.resize(150, 80);
    simulation.show();
    EXPECT_EQ(simulation.pos(), QPoint(main.frameGeometry().right() + 1, 90));

    main.move(300, 200);
    main.hide();
    EXPECT_EQ(settings.values["windows/Form1"], (std::vector<std::string>{"300", "200"}));
    simulation.move(10, 20);
    places.reset();
    EXPECT_EQ(settings.values["windows/Form3"], (std::vector<std::string>{"10", "20"}));
}

} // namespace
