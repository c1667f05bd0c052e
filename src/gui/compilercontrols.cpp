#include "gui/compilercontrols.h"

#include "compiler/program.h"
#include "gui/form1.h"
#include "language/editor.h"

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

CompilerControls::CompilerControls(Form1& form1, const Editor& editor, Program& program,
                                   MessageBox& messages, const Clock& clock)
    : QObject(&form1), form1(form1), editor(editor), program(program), messages(messages),
      clock(clock)
{
    const Form1::Widgets& widgets = form1.widgets();
    list5 = widgets.list5;
    freshLook = staleLook = list5->palette();
    staleLook.setColor(QPalette::Text, freshLook.color(QPalette::Disabled, QPalette::Text));
    freshTip = list5->toolTip();
    connect(widgets.command3, &QPushButton::clicked, this, &CompilerControls::combine);
    connect(widgets.command4, &QPushButton::clicked, this, &CompilerControls::sort);
    connect(widgets.command5, &QPushButton::clicked, this, &CompilerControls::fullparse);
    connect(&form1, &Form1::rendered, this, &CompilerControls::render);
    render();
}

void CompilerControls::combine()
{
    program.combine(editor.lists(), messages);
    form1.render();
}

void CompilerControls::sort()
{
    program.sort();
    form1.render();
}

// Parsing rewrites the program's lines, so parsing them again would turn good code
// into wrong code: each press compiles the lists afresh.
void CompilerControls::fullparse()
{
    program.compile(editor.lists(), messages, clock);
    form1.render();
}

void CompilerControls::render()
{
    list5->setVisible(program.codeShown());
    const bool stale = editor.lists() != program.source();
    list5->setPalette(stale ? staleLook : freshLook);
    list5->setToolTip(stale ? QString(outOfDate) : freshTip);
    if (program.revision() != shownRevision) {
        shownRevision = program.revision();
        list5->clear();
        for (int i = 0; i <= program.proglast() && i < progCapacity; ++i)
            list5->addItem(QString::fromLatin1(program.prog()[static_cast<std::size_t>(i)]));
        shownSelected = -1;
        clearSelection(list5);
    }
    if (program.highlighted() == shownSelected)
        return;
    shownSelected = program.highlighted();
    if (shownSelected >= 0 && shownSelected < list5->count())
        list5->setCurrentRow(shownSelected);
    else
        clearSelection(list5);
}

} // namespace fh
