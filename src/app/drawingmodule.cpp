// The drawing's module: fonts, pictures and PDF documents, loaded by the executable for
// a command that draws. The caller owns what it returns.

#include "cli/drawing.h"

extern "C" __attribute__((visibility("default"))) fh::cli::Drawing* fernhollow_drawing()
{
    return fh::cli::makeDrawing().release();
}
