#pragma once

#include "compiler/program.h"
#include "language/commandlists.h"
#include "language/datcheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fh::test {

// Lines filed as the entry box files them: checked and normalised, into the list of
// their letter. A line that fails the check fails the test.
inline CommandLists listsOf(const std::vector<std::string>& typed)
{
    CommandLists lists;
    for (const auto& line : typed) {
        const CheckResult r = datcheck(line);
        EXPECT_TRUE(r.dataok) << line << ": " << r.errmsg;
        if (const int list = listOf(r.cmdline); list >= 0)
            lists[static_cast<std::size_t>(list)].push_back(r.cmdline);
    }
    return lists;
}

// A program's lines, one string each.
inline std::vector<std::string> linesOf(const Program& program)
{
    std::vector<std::string> lines;
    for (int i = 0; i <= program.proglast(); ++i)
        lines.emplace_back(program.line(i));
    return lines;
}

} // namespace fh::test
