#pragma once

#include "compiler/program.h"

namespace fh {

// How the main window shows the compiled code: from each display until hidden (a
// simulation switched off, the chart window closed), with the line a running
// simulation waits for marked.
struct CodeView {
    bool shown(const Program& program) const { return program.revision() != hiddenAt; }
    void hide(const Program& program) { hiddenAt = program.revision(); }

    int highlighted = -1; // -1: none
    unsigned long hiddenAt = 0;
};

} // namespace fh
