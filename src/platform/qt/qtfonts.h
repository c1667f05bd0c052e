#pragma once

// The two font families of the windows and the fonts made from them. Both are old
// Windows names; installFontSubstitutes() maps them to the metric-compatible
// Liberation fonts so the layout holds. They hold every Latin-1 character, all the
// program writes, so the fonts are made without a per-character fallback: working
// out the fallback list of each family took a tenth of the start-up.

#include <QFont>

namespace fh {

inline constexpr const char* sansFamily = "MS Sans Serif";
inline constexpr const char* fixedFamily = "Courier New";

QFont sansFont(double points, bool bold = false);
// Hinted as a typewriter face, so a system without the substitute still picks a
// fixed-pitch one.
QFont fixedFont(double points, bool bold = false);

// Call once, after the QApplication exists and before any window is built.
void installFontSubstitutes();

} // namespace fh
