#include "gui/slipnote.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fh {

SlipNote::SlipNote(QWidget* parent, QPoint at, int width) : QFrame(parent)
{
    setObjectName("SlipNote");
    setAccessibleName("Line not filed");
    setFrameShape(QFrame::Box);
    // Drawn over the controls below the entry box while it is shown, so it needs a ground.
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    move(at);
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    findings = new QLabel(this);
    findings->setObjectName("SlipFindings");
    findings->setWordWrap(true);
    findings->setForegroundRole(QPalette::ToolTipText);
    column->addWidget(findings);
    buttons = new QHBoxLayout;
    column->addLayout(buttons);
    hide();
}

void SlipNote::hold(const std::vector<Finding>& slips, const std::vector<Fix>& fixes)
{
    QStringList lines;
    for (const Finding& f : slips)
        lines << QString::fromLatin1(findingText(f));
    lines << QStringLiteral("Enter again files the line as read.");
    findings->setText(lines.join(QLatin1Char('\n')));
    while (QLayoutItem* item = buttons->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        const QString line = QString::fromLatin1(fixes[i].line);
        QString caption = QStringLiteral("File as ") + line;
        if (!fixes[i].reading.empty())
            caption += QStringLiteral(" (%1)").arg(QString::fromLatin1(fixes[i].reading));
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("SlipFix%1").arg(i + 1));
        // A click leaves the focus in the line's editor, whose Enter files as read.
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, line] { emit fixChosen(line); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    adjustSize();
    raise();
    show();
}

} // namespace fh
