#pragma once

namespace fh {

// The windows name "Courier New" and "MS Sans Serif"; map them to the
// metric-compatible Liberation fonts so the layout holds. Call once, after the
// QApplication exists and before any window is built.
void installFontSubstitutes();

} // namespace fh
