#include "session/history.h"

#include <utility>

namespace fh {

bool History::record(const std::function<void()>& change)
{
    Editor::Snapshot before = editor.snapshot();
    change();
    if (editor.lists() == before.lists)
        return false;
    steps.resize(done);
    steps.push_back({std::move(before), editor.snapshot()});
    ++done;
    return true;
}

bool History::undo()
{
    if (!canUndo())
        return false;
    editor.restore(steps[--done].before);
    return true;
}

bool History::redo()
{
    if (!canRedo())
        return false;
    editor.restore(steps[done++].after);
    return true;
}

} // namespace fh
