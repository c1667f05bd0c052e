#include "process.h"

#include <gtest/gtest.h>

namespace fh::test {
namespace {

TEST(CheckCommand, ChecksEachArgument)
{
    const Outcome o = runFernhollow({"check", "t,4:00:33,78,84", "X,6:00,1,ON"});
    EXPECT_EQ(o.out, "T,04:00:33,78,84\nerror: T,L, or W only\n");
    EXPECT_EQ(o.status, 1);
}

TEST(CheckCommand, ChecksEachLineOfStandardInput)
{
    const Outcome o = runFernhollow({"check"}, "L,15:22:00,2/4/6,on\r\nW,12:00:00,1/3/5,p1,3s,10m\n");
    EXPECT_EQ(o.out, "L,15:22:00,2/4/6,ON\nW,12:00:00,1/3/5,P1,3S,10M\n");
    EXPECT_EQ(o.status, 0);
}

TEST(CheckCommand, EmptyLineIsMissingData)
{
    const Outcome o = runFernhollow({"check"}, "\n");
    EXPECT_EQ(o.out, "error: missing data\n");
    EXPECT_EQ(o.status, 1);
}

} // namespace
} // namespace fh::test
