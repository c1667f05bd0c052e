#pragma once

namespace fh::gui {

// Opens the main window and runs the event loop; returns the exit status.
int run(int argc, char* argv[]);

} // namespace fh::gui
