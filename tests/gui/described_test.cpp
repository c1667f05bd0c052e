#include "chart/chart.h"
#include "gui/addlines.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/form3.h"
#include "gui/form4.h"
#include "gui/form5.h"
#include "session/session.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/qtprintdialog.h"

#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace fh;

// Screen readers and tooltips reach every control, on every window.
TEST(EveryWindow, EveryControlHasAnAccessibleNameAndATooltip)
{
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
    AddLinesDialog addLines{session, form1.history(), &form1};

    const QRegularExpression control(QStringLiteral(
        "^((Label|Text|List|Command|Check|Option|Frame|Image|Shape|Line|Grid|Combo)\\d+(_\\d+)?|Preview[A-Z][a-z]+)$"));
    const struct {
        const QWidget* window;
        int controls;
    } windows[] = {{&form1, 57}, {&form2, 4}, {&form3, 57}, {&form4, 1}, {&form5, 1}, {&addLines, 8}};
    for (const auto& [window, controls] : windows) {
        int walked = 0;
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            if (!control.match(w->objectName()).hasMatch() || w->window() != window)
                continue;
            ++walked;
            const std::string where = window->objectName().toStdString() + "." + w->objectName().toStdString();
            EXPECT_FALSE(w->accessibleName().isEmpty()) << where;
            EXPECT_FALSE(w->toolTip().isEmpty()) << where;
        }
        EXPECT_EQ(walked, controls) << window->objectName().toStdString();
    }
}

} // namespace
