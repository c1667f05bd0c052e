#include "gui/listhistory.h"

#include "gui/form1.h"
#include "language/editor.h"

#include <QUndoCommand>

#include <array>
#include <utility>

namespace fh {

namespace {

struct State {
    Editor::Snapshot editor;
    std::array<int, 3> selected{}; // the selected row of each list; -1: none
};

class Step : public QUndoCommand {
public:
    Step(const QString& name, Form1& form1, Editor& editor, State before, State after)
        : QUndoCommand(name), form1(form1), editor(editor), before(std::move(before)), after(std::move(after))
    {
    }

    // The change has been made already when the step is pushed.
    void redo() override
    {
        if (std::exchange(made, false))
            return;
        show(after);
    }
    void undo() override { show(before); }

private:
    void show(const State& state)
    {
        editor.restore(state.editor);
        form1.render();
        form1.selectRows(state.selected);
    }

    Form1& form1;
    Editor& editor;
    State before;
    State after;
    bool made = true;
};

} // namespace

ListHistory::ListHistory(Form1& form1, Editor& editor) : form1(form1), editor(editor) {}

void ListHistory::record(const QString& name, const std::function<void()>& change)
{
    State before{editor.snapshot(), form1.selectedRows()};
    change();
    form1.render();
    if (editor.lists() == before.editor.lists)
        return;
    steps.push(new Step(name, form1, editor, std::move(before), {editor.snapshot(), form1.selectedRows()}));
}

} // namespace fh
