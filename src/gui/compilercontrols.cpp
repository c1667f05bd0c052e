#include "gui/compilercontrols.h"

#include "gui/form1.h"
#include "session/session.h"

#include <QListWidget>
#include <QPushButton>

namespace fh {

namespace {

constexpr const char* outOfDate = "Out of date: compile again";

void clearSelection(QListWidget* list)
{
    list->clearSelection();
    list->setCurrentRow(-1);
}

} // namespace

CompilerControls::CompilerControls(Form1& form1, Session& session)
    : QObject(&form1), form1(form1), session(session)
{
    const Form1::Widgets& widgets = form1.widgets();
    list5 = widgets.code;
    freshLook = staleLook = list5->palette();
    staleLook.setColor(QPalette::Text, freshLook.color(QPalette::Disabled, QPalette::Text));
    freshTip = list5->toolTip();
    connect(widgets.combineButton, &QPushButton::clicked, this, &CompilerControls::combine);
    connect(widgets.sortButton, &QPushButton::clicked, this, &CompilerControls::sort);
    connect(widgets.compileButton, &QPushButton::clicked, this, &CompilerControls::fullparse);
    connect(&form1, &Form1::rendered, this, &CompilerControls::render);
    render();
}

void CompilerControls::combine()
{
    session.combine();
    form1.render();
}

void CompilerControls::sort()
{
    session.sort();
    form1.render();
}

// Parsing rewrites the program's lines, so parsing them again would turn good code
// into wrong code: each press compiles the lists afresh.
void CompilerControls::fullparse()
{
    session.compile();
    form1.render();
}

void CompilerControls::render()
{
    const Program& program = session.program();
    const CodeView& code = session.codeView();
    list5->setVisible(code.shown(program));
    if (const bool stale = session.lists() != program.source(); stale != shownStale) {
        shownStale = stale;
        list5->setPalette(stale ? staleLook : freshLook);
        list5->setToolTip(stale ? QString(outOfDate) : freshTip);
    }
    if (program.revision() != shownRevision) {
        shownRevision = program.revision();
        list5->clear();
        for (int i = 0; i <= program.proglast() && i < progCapacity; ++i)
            list5->addItem(QString::fromLatin1(program.line(i)));
        shownSelected = -1;
        clearSelection(list5);
    }
    if (code.highlighted == shownSelected)
        return;
    shownSelected = code.highlighted;
    if (shownSelected >= 0 && shownSelected < list5->count())
        list5->setCurrentRow(shownSelected);
    else
        clearSelection(list5);
}

} // namespace fh
