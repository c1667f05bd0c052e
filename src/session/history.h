#pragma once

// The undo history of the command lists. Every change of the lists, whatever makes
// it (a typed line, Delete, an edit in place, a sort, New, a load), made through
// record() is one step, which puts back the lists and the item each list remembers
// for Delete. The program-state indicator is left as it is: it tells what was sent,
// and undoing sends nothing.

#include "session/editor.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace fh {

class History {
public:
    explicit History(Editor& lists) : editor(lists) {}

    // Runs `change`. When the lists changed, that is a new step, and the steps
    // undone before it are gone; returns whether they changed.
    bool record(const std::function<void()>& change);
    // The lists as before the last step done, or after the first step undone; false,
    // changing nothing, when there is no such step.
    bool undo();
    bool redo();
    bool canUndo() const { return done > 0; }
    bool canRedo() const { return done < steps.size(); }

private:
    struct Step {
        Editor::Snapshot before;
        Editor::Snapshot after;
    };

    Editor& editor;
    std::vector<Step> steps;
    std::size_t done = 0; // steps[0..done) are done, the rest undone
};

} // namespace fh
