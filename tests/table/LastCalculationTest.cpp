#include "table/LastCalculation.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

TEST(LastCalculation, FirstRequestAlwaysComputes) {
    LastCalculation last;
    EXPECT_TRUE(StartCalculation(last, 1, 2004, 0, false));
    EXPECT_EQ(last, (LastCalculation{1, 2004, 0}));
}

TEST(LastCalculation, SameKeyIsSkippedUnlessForced) {
    LastCalculation last{3, 2025, 2};
    EXPECT_FALSE(StartCalculation(last, 3, 2025, 2, false));
    EXPECT_EQ(last, (LastCalculation{3, 2025, 2}));
    EXPECT_TRUE(StartCalculation(last, 3, 2025, 2, true));
}

TEST(LastCalculation, AnyChangedPartRecomputes) {
    const LastCalculation start{3, 2025, 2};
    const LastCalculation changes[] = {{4, 2025, 2}, {3, 2026, 2}, {3, 2025, 5}};
    for (const LastCalculation& wanted : changes) {
        LastCalculation last = start;
        EXPECT_TRUE(StartCalculation(last, wanted.Month, wanted.Year, wanted.Index, false));
        EXPECT_EQ(last, wanted);
    }
}

}  // namespace
}  // namespace quintrel
