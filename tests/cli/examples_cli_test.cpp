#include "process.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace fh::test {
namespace {

const std::string examples = FERNHOLLOW_EXAMPLES;

// Each example is compiled, charted and simulated through a whole day. Two lines at one
// time would hold the second back a day in the simulation, so every line of the program
// must become the pending line in turn.
TEST(ExamplePrograms, CompileChartAndSimulateADayWithEveryLineTakingEffect)
{
    const std::string dir = scratchDir();
    for (const char* name : {"greenhouse.fhp", "propagation.fhp", "flowering.fhp"}) {
        SCOPED_TRACE(name);
        const std::string file = examples + "/" + name;

        const Outcome compiled = runFernhollow({"compile", file});
        ASSERT_EQ(compiled.status, 0) << compiled.err;
        const auto lines = static_cast<int>(std::count(compiled.out.begin(), compiled.out.end(), '\n'));
        ASSERT_GT(lines, 1);

        const std::string png = dir + "/" + name + ".png";
        const Outcome charted = runFernhollow({"chart", file, "-o", png, "--size", "840x504"});
        ASSERT_EQ(charted.status, 0) << charted.err;
        EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(840, 504));

        const Outcome simulated = runFernhollow({"simulate", file, "--at", "23:59:59", "--seconds", "86400"});
        ASSERT_EQ(simulated.status, 0) << simulated.err;
        std::set<int> pending;
        std::istringstream trace(simulated.out);
        for (std::string step; std::getline(trace, step);)
            pending.insert(std::stoi(step.substr(step.rfind('=') + 1)));
        std::set<int> everyLine;
        for (int i = 0; i < lines; ++i)
            everyLine.insert(i);
        EXPECT_EQ(pending, everyLine);
    }
}

} // namespace
} // namespace fh::test
