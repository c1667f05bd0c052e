#include "gui/listhistory.h"

#include "gui/form1.h"
#include "session/history.h"

#include <QUndoCommand>

#include <array>
#include <utility>

namespace fh {

namespace {

using Rows = std::array<int, 3>; // the selected row of each list; -1: none

// Kept in step with the session's history: each push here follows a new step there.
class Step : public QUndoCommand {
public:
    Step(const QString& name, Form1& form1, History& history, Rows before, Rows after)
        : QUndoCommand(name), form1(form1), history(history), before(before), after(after)
    {
    }

    // The change has been made already when the step is pushed.
    void redo() override
    {
        if (std::exchange(made, false))
            return;
        history.redo();
        show(after);
    }
    void undo() override
    {
        history.undo();
        show(before);
    }

private:
    void show(const Rows& rows)
    {
        form1.render();
        form1.selectRows(rows);
    }

    Form1& form1;
    History& history;
    Rows before;
    Rows after;
    bool made = true;
};

} // namespace

ListHistory::ListHistory(Form1& form1, History& history) : form1(form1), history(history) {}

void ListHistory::record(const QString& name, const std::function<void()>& change)
{
    const Rows before = form1.selectedRows();
    const bool changed = history.record(change);
    form1.render();
    if (changed)
        steps.push(new Step(name, form1, history, before, form1.selectedRows()));
}

} // namespace fh
