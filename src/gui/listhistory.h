#pragma once

// The undo history of the command lists. Every change of the lists, whatever makes
// it (a typed line, Delete, an edit in place, a sort, New, a load), runs through
// record() and becomes one step, which puts back the lists, the item each
// list remembers for Delete and the selected items. The program-state indicator is
// left as it is: it tells what was sent, and undoing sends nothing.

#include <QUndoStack>

#include <functional>

namespace fh {

class Editor;
class Form1;

class ListHistory {
public:
    ListHistory(Form1& form1, Editor& editor);

    // Runs `change` and shows the lists; when they changed, that is one step called
    // `name` ("Undo Load"). A change that selects an item does so before returning.
    void record(const QString& name, const std::function<void()>& change);

    QUndoStack& stack() { return steps; }

private:
    Form1& form1;
    Editor& editor;
    QUndoStack steps;
};

} // namespace fh
