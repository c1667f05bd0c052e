#include "gui/checkcontrols.h"

#include "gui/form1.h"
#include "gui/form5.h"
#include "session/session.h"
#include "platform/devices.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

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

} // namespace

CheckControls::CheckControls(Form1& form1, const Session& session, MessageBox& messages)
    : form1(form1), session(session), messages(messages)
{
    label15 = form1.widgets().label15;
    label15->installEventFilter(this);
    connect(form1.menus().chk, &QAction::triggered, this, &CheckControls::chkClick);
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
    if (session.lists() != checked || session.display() != checkedDisplay)
        check();
}

void CheckControls::check()
{
    checked = session.lists();
    checkedDisplay = session.display();
    findings = lint(checked, session.display());
    errors = static_cast<std::size_t>(std::ranges::count(findings, Finding::Error, &Finding::severity));
    label15->setText(summary(errors, findings.size() - errors));
    if (form5)
        form5->setFindings(findings);
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
