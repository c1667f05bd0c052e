#pragma once

namespace fh::gui {

// What the window system is asked before the QApplication exists (and connects to it).
void prepareWindowSystem();

// Opens the main window and runs the event loop; returns the exit status.
int run(int argc, char* argv[]);

} // namespace fh::gui
