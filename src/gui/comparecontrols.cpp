#include "gui/comparecontrols.h"

#include "compiler/daydiff.h"
#include "files/programfile.h"
#include "gui/comparewindow.h"
#include "gui/form1.h"
#include "platform/platform.h"
#include "session/session.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace fh {

namespace {

QString baseName(const std::string& path)
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

} // namespace

CompareControls::CompareControls(Form1& form1, Session& session, const Devices& devices)
    : form1(form1), session(session), devices(devices)
{
    connect(form1.menus().compareWith, &QAction::triggered, this, &CompareControls::compareWith);
    connect(form1.menus().compareWithSaved, &QAction::triggered, this, &CompareControls::compareWithSaved);
    const auto enable = [this] { this->form1.menus().compareWithSaved->setEnabled(!this->session.fileName().empty()); };
    connect(&form1, &Form1::rendered, this, enable);
    // New leaves the lists with no file; the file controls, made first, forget it first.
    connect(&form1, &Form1::renewed, this, enable);
    enable();
}

CompareControls::~CompareControls() { delete window; }

CompareWindow* CompareControls::compareWindow() const { return window; }

void CompareControls::compareWith()
{
    const auto path = devices.dialogs.openFileName(session.fileName(), programFileType);
    if (!path || path->empty())
        return;
    const QString now = session.fileName().empty() ? QStringLiteral("the lists now") : baseName(session.fileName());
    compare(*path, baseName(*path), now);
}

void CompareControls::compareWithSaved()
{
    if (session.fileName().empty())
        return;
    const QString name = baseName(session.fileName());
    compare(session.fileName(), name + QStringLiteral(" (saved)"), name + QStringLiteral(" (now)"));
}

void CompareControls::compare(const std::string& path, const QString& nameA, const QString& nameB)
{
    // A window never waits on a pipe.
    LoadedProgram loaded = loadProgram(devices.files, path, true);
    if (!loaded.program) {
        devices.messages.show("Cannot load " + path + ": " + loaded.error);
        return;
    }
    const CommandLists& other = loaded.program->lists;
    const auto programA = dayProgram(other, devices.messages);
    const auto programB = dayProgram(session.lists(), devices.messages);
    if (!programA || !programB)
        return;
    const DayComparison comparison = compareDays(*programA, other, *programB, session.lists(), session.display());
    if (!window)
        window = new CompareWindow(devices, [this] { return session.fileName(); });
    window->compare({nameA, *programA}, {nameB, *programB}, comparison, session.display());
    window->show();
    window->raise();
}

} // namespace fh
