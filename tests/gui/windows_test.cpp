#include "chart/chart.h"
#include "gui/form1.h"
#include "gui/form2.h"
#include "gui/form3.h"
#include "language/editor.h"
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

namespace {

using namespace fh;

// Every line of a label, every word of one that wraps, and every button's caption
// beside its indicator or inside its bevel, with a tenth to spare: other renderers and
// sizes of the fonts draw a little wider. The tiny compile buttons show their names
// cut short by design.
void expectCaptionsFit(const QWidget& window)
{
    const auto fits = [&](const QWidget& control, const QString& text, int width) {
        EXPECT_LE(control.fontMetrics().horizontalAdvance(text) * 11, width * 10)
            << window.objectName().toStdString() << " " << control.objectName().toStdString();
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
    doubles::RecordingMessageBox messages;
    Editor editor{messages};
    Form1 form1{editor, messages};
    test::showActive(form1);
    // Text7 decides on its scroll bar once the events of its new text are handled.
    QCoreApplication::processEvents();
    expectCaptionsFit(form1);
    const auto* text7 = test::control<QPlainTextEdit>(form1, "Text7");
    EXPECT_EQ(text7->blockCount(), 3);
    EXPECT_FALSE(text7->verticalScrollBar()->isVisible());
    ChartState state;
    expectCaptionsFit(Form2{state, nullptr});
    expectCaptionsFit(Form3{});
}

} // namespace
