#pragma once

// One open program: the three lists as the user edits them, the undo history of
// those edits, the file they belong to and the one compiled Program. The windows and
// the command line each work on a Session; the simulation, the chart and the checks
// below only read what it hands them. Sessions share nothing, so several can be
// open at once, with or without a window.

#include "compiler/display.h"
#include "compiler/listorder.h"
#include "compiler/program.h"
#include "simulation/codeview.h"
#include "session/editor.h"
#include "session/history.h"

#include <optional>
#include <string_view>

#include <string>
#include <utility>

namespace fh {

class Clock;
class MessageBox;

class Session {
public:
    // Messages go to `messages`; compile() finds the next line by `clock`.
    Session(MessageBox& boxes, const Clock& time) : messages(boxes), clock(time), editor_(boxes) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The lists and what the last entry made of its line; changed only through the
    // operations below.
    const Editor& editor() const { return editor_; }
    const CommandLists& lists() const { return editor_.lists(); }
    History& history() { return history_; }

    // The operations on the lists, the same for the windows and the commands. A line
    // typed or edited is read in the user's units; a bad one is reported and changes
    // nothing.
    bool enter(std::string_view typed) { return editor_.pumpcom(typed); }
    std::optional<Place> edit(int list, int index, std::string_view typed) { return editor_.edit(list, index, typed); }
    void rememberSelection(int list, int selected) { editor_.rememberSelection(list, selected); }
    void deleteSelected(int list, int selected) { editor_.deleteSelected(list, selected); }
    // Send Program: the controller has the program.
    void send() { editor_.sendit(); }
    // File > New: no lines, no file.
    void renew()
    {
        editor_.replaceLists({});
        fileName_.clear();
    }
    // Lists read from `file` (empty: from no file), which count as saved.
    void open(CommandLists lists, std::string file = {})
    {
        editor_.replaceLists(std::move(lists));
        fileName_ = std::move(file);
    }
    // Any other change of the lists as a whole: an import, lines added.
    void change(CommandLists lists) { editor_.setLists(std::move(lists)); }
    // Edit > Sort Lists by Time; the reason when the lists cannot be sorted.
    std::optional<std::string> sortByTime()
    {
        CommandLists sorted = editor_.lists();
        auto refusal = fh::sortByTime(sorted);
        if (!refusal)
            editor_.setLists(std::move(sorted));
        return refusal;
    }
    void markSaved() { editor_.markSaved(); }

    // The only writers of the program. The compile buttons take the steps one by
    // one; compile() takes them all and syncs to the clock (the simulation syncs to
    // its own). false when the lists were refused, the program left as it was.
    bool combine() { return program_.combine(editor_.lists(), messages); }
    void sort() { program_.sort(); }
    bool compile() { return compile(clock); }
    bool compile(const Clock& at) { return program_.compile(editor_.lists(), messages, at); }
    const Program& program() const { return program_; }
    CodeView& codeView() { return codeView_; }
    // How the user reads set-points, times and durations; the windows, the chart and
    // the checks are handed it, and the editor says a typed line's faults by it.
    const Display& display() const { return editor_.display(); }
    void setDisplay(const Display& display) { editor_.setDisplay(display); }

    // The file last loaded or saved; empty before any, and after New or an import.
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }
    // The lists differ from those last loaded or saved.
    bool modified() const { return editor_.modified(); }

private:
    MessageBox& messages;
    const Clock& clock;
    Editor editor_;
    History history_{editor_};
    Program program_;
    CodeView codeView_;
    std::string fileName_;
};

} // namespace fh
