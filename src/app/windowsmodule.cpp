// The windows' module: the desktop program, loaded by the executable to open a window.

#include "app/gui.h"

extern "C" __attribute__((visibility("default"))) int fernhollow_windows(int argc, char* argv[])
{
    return fh::gui::run(argc, argv);
}
