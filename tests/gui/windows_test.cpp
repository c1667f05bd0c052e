#include "chart/chart.h"
#include "gui/addlines.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/form3.h"
#include "gui/form4.h"
#include "gui/form5.h"
#include "gui/windowplaces.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtprintdialog.h"

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
    doubles::MemoryTextFiles files;
    QtPrinterDialog printers{files};
    Form4 form4{printers, messages};
    Form5 form5{&form1};
    AddLinesDialog addLines{session, form1.history(), "", &form1};
};

// Every line of a label, every word of one that wraps, and every button's caption
// beside its indicator or inside its bevel, with a tenth to spare: other renderers and
// sizes of the fonts draw a little wider. The tiny compile buttons show their names
// cut short by design.
void expectCaptionsFit(const QWidget& window)
{
    const auto fits = [&](const QWidget& control, const QString& text, int width) {
        // The windows it owns have their own turn.
        if (control.window() == &window) {
            EXPECT_LE(control.fontMetrics().horizontalAdvance(text) * 11, width * 10)
                << window.objectName().toStdString() << " " << control.objectName().toStdString();
        }
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
        if (!button->text().isEmpty() && button->width() > 20)
            fits(*button, button->text(), button->style()->subElementRect(room, &option, button).width());
    }
}

TEST(Windows, EveryCaptionFitsItsControl)
{
    AllWindows w;
    test::showActive(w.form1);
    // Text7 decides on its scroll bar once the events of its new text are handled.
    QCoreApplication::processEvents();
    for (const QWidget* window : std::initializer_list<const QWidget*>{&w.form1, &w.form2, &w.form3})
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
    const std::pair<const QWidget*, int> windows[] = {{&w.form1, 57}, {&w.form2, 4},  {&w.form3, 57},
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
    const std::pair<QRect, QPoint> mainAndBeside[] = {
        {{0, 0, 900, 520}, {900, 0}},       // at the right
        {{1300, 100, 600, 520}, {700, 100}}, // at the left
        {{500, 40, 1100, 520}, {1320, 40}},  // against the screen's right edge
        {{0, 900, 900, 170}, {900, 820}},    // raised to keep its foot on the screen
    };
    for (const auto& [main, at] : mainAndBeside)
        EXPECT_EQ(beside(main, {600, 260}, {0, 0, 1920, 1080}), at);
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
