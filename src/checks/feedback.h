#pragma once

// What the status bar tells right after Enter files a line (or an item is edited in
// place): what the checks find at that line and what it newly causes elsewhere, so
// the grower meets a warning without opening the checks window.

#include "checks/lint.h"

#include <string>
#include <string_view>
#include <vector>

namespace fh {

// The lists and their findings at one moment.
struct Checked {
    const CommandLists& lists;
    const std::vector<Finding>& findings;
};

// The findings to tell about the line filed at `at`, most severe first: those of `now`
// at the item (what the line as typed shows among them), and those of `now` the
// program did not have `before` (a finding counts as the same when its code, message
// and item's line are, wherever the item moved).
std::vector<Finding> filedFindings(Finding::Item at, Checked before, Checked now);

// "Filed LINE: SEVERITY: MESSAGE (+N more) — Program checks: E errors, W warnings — F7"
// in UTF-8, with "no findings" for the first finding when `told` is empty, and how
// typed °C were read after the line: "Filed LINE (20 °C as 68 °F): …". The count is
// the program's, `program`.
std::string filedStatus(std::string_view filed, const std::vector<std::string>& readings,
                        const std::vector<Finding>& told, const std::vector<Finding>& program);

} // namespace fh
