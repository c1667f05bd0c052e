#include "gui/checkcontrols.h"

#include "checks/feedback.h"

#include "gui/form1.h"
#include "gui/form5.h"
#include "session/session.h"
#include "platform/devices.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <map>
#include <utility>

namespace fh {

namespace {

QString counted(std::size_t count, const char* noun)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(noun)).arg(count == 1 ? "" : "s");
}

QString summary(std::size_t errors, std::size_t warnings)
{
    QStringList parts;
    if (errors > 0)
        parts << counted(errors, "error");
    if (warnings > 0)
        parts << counted(warnings, "warning");
    if (parts.isEmpty())
        parts << QStringLiteral("no findings");
    return QStringLiteral("Program checks: %1 \u2014 F7").arg(parts.join(QStringLiteral(", ")));
}

// A small round red mark for an error, an amber triangle for a warning, each with a
// white stroke that reads without colour too.
QIcon marker(Finding::Severity severity)
{
    constexpr int size = 12;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (severity == Finding::Error) {
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(QPointF(3.5, size / 2.0), QPointF(size - 3.5, size / 2.0));
    } else {
        QPainterPath triangle;
        triangle.moveTo(size / 2.0, 0.5);
        triangle.lineTo(size - 0.5, size - 1);
        triangle.lineTo(0.5, size - 1);
        triangle.closeSubpath();
        painter.setBrush(QColor(230, 160, 0));
        painter.drawPath(triangle);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.drawLine(QPointF(size / 2.0, 4), QPointF(size / 2.0, 7.5));
        painter.drawPoint(QPointF(size / 2.0, 9.5));
    }
    return QIcon(pixmap);
}

} // namespace

CheckControls::CheckControls(Form1& form1, const Session& session, MessageBox& messages)
    : form1(form1), session(session), messages(messages)
{
    label15 = form1.widgets().checksCount;
    // A long line about a filed line must not widen the window.
    label15->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label15->installEventFilter(this);
    connect(&form1, &Form1::lineFiled, this, &CheckControls::lineFiled);
    connect(form1.menus().checkAction, &QAction::triggered, this, &CheckControls::chkClick);
    connect(&form1, &Form1::rendered, this, &CheckControls::render);
    form1.setSendGuard([this] { return sendRequested(); });
    check();
}

CheckControls::~CheckControls() { form1.setSendGuard({}); }

Form5* CheckControls::checksWindow() const { return form5; }

void CheckControls::chkClick()
{
    if (!form5) {
        form5 = new Form5(&form1);
        form5->setFindings(findings);
        connect(form5, &Form5::itemChosen, &form1, &Form1::selectItem);
    }
    form5->show();
    form5->raise();
    form5->activateWindow();
}

void CheckControls::render()
{
    if (session.lists() != checked || session.display() != checkedDisplay || session.written() != checkedWritten)
        check();
}

void CheckControls::check()
{
    previousLists = std::exchange(checked, session.lists());
    checkedDisplay = session.display();
    checkedWritten = session.written();
    previousFindings = std::exchange(findings, lint(checked, checkedDisplay, checkedWritten, memo));
    errors = static_cast<std::size_t>(std::ranges::count(findings, Finding::Error, &Finding::severity));
    label15->setText(summary(errors, findings.size() - errors));
    mark();
    if (form5)
        form5->setFindings(findings);
}

void CheckControls::mark()
{
    struct Told {
        QStringList lines;
        Finding::Severity worst = Finding::Warning;
    };
    std::map<std::pair<std::size_t, std::size_t>, Told> byItem;
    for (const Finding& f : findings)
        if (f.item) {
            Told& told = byItem[{f.item->list, f.item->index}];
            told.lines << QString::fromLatin1(std::string(severityName(f.severity)) + ": " + f.message);
            told.worst = std::min(told.worst, f.severity);
        }
    const auto& lists = form1.widgets().lists;
    for (std::size_t k = 0; k < lists.size(); ++k) {
        for (int row = 0; row < lists[k]->count(); ++row) {
            QListWidgetItem* shown = lists[k]->item(row);
            const auto told = byItem.find({k, static_cast<std::size_t>(row)});
            shown->setIcon(told == byItem.end() ? QIcon() : markOf(told->second.worst));
            shown->setToolTip(told == byItem.end() ? QString() : told->second.lines.join(QLatin1Char('\n')));
        }
    }
}

const QIcon& CheckControls::markOf(Finding::Severity severity)
{
    QIcon& mark = severity == Finding::Error ? errorMark : warningMark;
    if (mark.isNull())
        mark = marker(severity);
    return mark;
}

void CheckControls::lineFiled(const CommandLists& before, const CelsiusReading& typed)
{
    const auto& at = session.filedAt();
    if (!at || at->list < 0 || at->index < 0)
        return;
    render();
    LineMemo beforeMemo;
    const std::vector<Finding> was = before == previousLists
                                         ? previousFindings
                                         : lint(before, session.display(), session.written(), beforeMemo);
    const Finding::Item item{static_cast<std::size_t>(at->list), static_cast<std::size_t>(at->index)};
    const std::vector<Finding> told = filedFindings(item, {before, was}, {checked, findings});
    label15->setText(QString::fromUtf8(filedStatus(session.filedLine(), typed.readings, told, findings)));
}

bool CheckControls::sendRequested()
{
    // The lists may have been replaced since the last render.
    render();
    return errors == 0 ||
           messages.askYesNo("The program has " + std::to_string(errors) +
                             " errors. Mark it as programmed anyway?");
}

bool CheckControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == label15 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        chkClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fh
