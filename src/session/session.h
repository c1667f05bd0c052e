#pragma once

// One open program: the three lists as the user edits them, the undo history of
// those edits, the file they belong to and the one compiled Program. The windows and
// the command line each work on a Session; the simulation, the chart and the checks
// below only read what it hands them. Sessions share nothing, so several can be
// open at once, with or without a window.

#include "checks/lint.h"
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
    // How the lines were written (loaded, typed), for the checks' findings as written.
    const AsWritten& written() const { return written_; }

    // The operations on the lists, the same for the windows and the commands. A line
    // typed or edited is read in the user's units and kept as written; a bad one is
    // reported and changes nothing.
    bool enter(std::string_view written)
    {
        const bool filed = editor_.pumpcom(display().typed(written).line);
        keepWritten(written);
        return filed;
    }
    std::optional<Place> edit(int list, int index, std::string_view written)
    {
        auto filed = editor_.edit(list, index, display().typed(written).line);
        if (filed)
            keepWritten(written);
        return filed;
    }
    void rememberSelection(int list, int selected) { editor_.rememberSelection(list, selected); }
    void deleteSelected(int list, int selected) { editor_.deleteSelected(list, selected); }
    // Send Program: the controller has the program.
    void send() { editor_.sendit(); }
    // File > New: no lines, no file.
    void renew() { open({}); }
    // Lists read from `file` (empty: from no file), which count as saved.
    void open(CommandLists lists, std::string file = {})
    {
        editor_.replaceLists(std::move(lists));
        fileName_ = std::move(file);
        written_ = {};
    }
    // A program file's lists, with how their lines were written.
    void open(const ProgramRead& read, std::string file)
    {
        open(read.lists, std::move(file));
        written_ = AsWritten(read);
    }
    // Lists of no file and no known writing: an import.
    void change(CommandLists lists)
    {
        editor_.setLists(std::move(lists));
        written_ = {};
    }
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
    // The selected item of a list, to copy into the entry box; none when nothing is selected.
    std::optional<std::string> copySelected(int list, int selected) const
    {
        return editor_.copySelected(list, selected);
    }
    Indicator indicator() const { return editor_.indicator(); }
    // The last line entered or edited: where it was filed (none when refused) and as what.
    const std::optional<Place>& filedAt() const { return editor_.filedAt(); }
    const std::string& filedLine() const { return editor_.cmdline(); }

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
    void keepWritten(std::string_view written)
    {
        if (const auto& at = editor_.filedAt(); at && at->list >= 0 && at->index >= 0)
            written_.typed(editor_.lists(), {static_cast<std::size_t>(at->list), static_cast<std::size_t>(at->index)},
                           std::string(written));
    }

    MessageBox& messages;
    const Clock& clock;
    Editor editor_;
    History history_{editor_};
    AsWritten written_;
    Program program_;
    CodeView codeView_;
    std::string fileName_;
};

} // namespace fh
