#pragma once

// The two font families of the windows and the fonts made from them. Both are old
// Windows names; where they are missing, the metric-compatible Liberation fonts stand
// in, so the layout holds. They hold every Latin-1 character the program writes; a
// character they lack, as in a file's name in another script, is taken from another
// installed face (the fonts allow merging). Qt works out that fallback list at the
// first such character, so the start-up does not pay for it.

#include <QFont>

namespace fh {

inline constexpr const char* sansFamily = "MS Sans Serif";
inline constexpr const char* fixedFamily = "Courier New";

// The windows' fonts; call them once the QApplication exists. Where an old family is
// missing they name its installed substitute: for a missing family Qt first sorts
// every installed font in search of a fallback.
// The sans font is fully hinted, as Windows draws it: its characters take whole
// pixels, and its glyphs are made in two thirds of the time light hinting takes, a
// large part of the start-up.
QFont sansFont(double points, bool bold = false);
// Styled as a typewriter face, so a system without the substitute still picks a
// fixed-pitch one. Its glyphs are not hinted: fully hinted, each character would
// take a whole seventh pixel and the help text would crowd its box; lightly hinted,
// as most systems do, it looks the same at these sizes but runs the autohinter.
QFont fixedFont(double points, bool bold = false);

// The fixed font of documents (the chart as drawn, printed or written to a file): by
// its old name, which an SVG file carries, and as the system hints it.
QFont documentFont(double points);

// Maps the old fixed family to its substitute, for the documents, which name it.
// Call once, after the QApplication exists and before anything is drawn.
void installFontSubstitutes();

} // namespace fh
