#pragma once

// The main window's side of the lists' undo history: each step of the session's
// History becomes a step of the Edit menu's stack, named for the menu ("Undo Load"),
// which also puts back the selected items.

#include <QUndoStack>

#include <functional>

namespace fh {

class Form1;
class History;

class ListHistory {
public:
    ListHistory(Form1& form1, History& history);

    // Runs `change` and shows the lists; when they changed, that is one step called
    // `name` ("Undo Load"). A change that selects an item does so before returning.
    void record(const QString& name, const std::function<void()>& change);

    QUndoStack& stack() { return steps; }

private:
    Form1& form1;
    History& history;
    QUndoStack steps;
};

} // namespace fh
