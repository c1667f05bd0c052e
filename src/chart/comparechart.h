#pragma once

// One program's chart in a comparison: the day as the chart draws it, each stretch in
// which it differs from the other program shaded under the traces in the item's row,
// and the program's name over the plot.

#include "compiler/daydiff.h"
#include "compiler/display.h"
#include "platform/canvas.h"

#include <string>
#include <vector>

namespace fh {

class MessageBox;
class Program;

inline constexpr Color differenceShade{255, 226, 140};

// Draws onto `canvas`, setting the chart coordinates, with `name` (UTF-8) above and
// the rows' labels centred on their rows in `labelPoints`. An empty program shows its
// name alone.
void plotCompared(const Program& program, const Display& display, const std::vector<DayDifference>& differences,
                  const std::string& name, double labelPoints, Canvas& canvas, MessageBox& messages);

} // namespace fh
