#include "table/LastCalculation.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

TEST(LastCalculation, FirstRequestAlwaysComputes) {
    EXPECT_TRUE(IsCalculationDue(LastCalculation{}, {1, 2004, 0}, false));
}

TEST(LastCalculation, SameKeyIsSkippedUnlessForced) {
    const LastCalculation last{3, 2025, 2};
    EXPECT_FALSE(IsCalculationDue(last, last, false));
    EXPECT_TRUE(IsCalculationDue(last, last, true));
}

TEST(LastCalculation, AnyChangedPartRecomputes) {
    const LastCalculation start{3, 2025, 2};
    const LastCalculation changes[] = {{4, 2025, 2}, {3, 2026, 2}, {3, 2025, 5}};
    for (const LastCalculation& wanted : changes) {
        EXPECT_TRUE(IsCalculationDue(start, wanted, false));
    }
}

}  // namespace
}  // namespace quintrel
