#pragma once

// One open program: the three lists as the user edits them, the undo history of
// those edits, the file they belong to and the one compiled Program. The windows and
// the command line each work on a Session; the simulation, the chart and the checks
// below only read what it hands them. Sessions share nothing, so several can be
// open at once, with or without a window.

#include "checks/lint.h"
#include "compiler/display.h"
#include "compiler/program.h"
#include "session/editor.h"
#include "session/history.h"

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

    Editor& editor() { return editor_; }
    const Editor& editor() const { return editor_; }
    const CommandLists& lists() const { return editor_.lists(); }
    History& history() { return history_; }
    // How the lines were written (loaded, typed), for the checks' findings as written.
    AsWritten& written() { return written_; }
    const AsWritten& written() const { return written_; }

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
    // the checks are handed it.
    const Display& display() const { return display_; }
    void setDisplay(const Display& display) { display_ = display; }

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
    AsWritten written_;
    Program program_;
    CodeView codeView_;
    Display display_;
    std::string fileName_;
};

} // namespace fh
