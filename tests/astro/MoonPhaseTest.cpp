#include <gtest/gtest.h>

#include <cmath>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

MoonPhaseResult PhaseOn(int year, int month, int day) {
    return MoonPhase(static_cast<float>(JulianDayNumber(year, month, day) - 0.5));
}

TEST(MoonPhase, KnownDays) {
    struct Case {
        int year, month, day;
        float percentLit;
        bool waxing;
    };
    const Case cases[] = {
        {2000, 1, 1, 37.64f, false}, {2000, 1, 6, 3.78f, false},  {2000, 1, 21, 97.81f, true},
        {2024, 1, 11, 0.95f, false}, {2024, 1, 18, 46.46f, true}, {2024, 1, 25, 93.87f, true},
        {2024, 2, 2, 51.95f, false}, {2003, 11, 9, 98.23f, true}, {2003, 11, 23, 6.95f, false},
        {2003, 11, 25, 6.6f, true},
    };
    for (const auto& c : cases) {
        const MoonPhaseResult phase = PhaseOn(c.year, c.month, c.day);
        EXPECT_EQ(phase.percentLit, c.percentLit) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(phase.waxing, c.waxing) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(MoonPhase, StaysWithinRangeWithTwoDecimalsOverDecades) {
    const int first = JulianDayNumber(1950, 1, 1);
    const int last = JulianDayNumber(2060, 12, 31);
    float previous = PhaseOn(1949, 12, 31).percentLit;
    for (int jdn = first; jdn <= last; ++jdn) {
        const MoonPhaseResult phase = MoonPhase(static_cast<float>(jdn - 0.5));
        ASSERT_GE(phase.percentLit, 0.0f) << jdn;
        ASSERT_LE(phase.percentLit, 100.0f) << jdn;
        const double hundredths = phase.percentLit * 100.0;
        ASSERT_NEAR(hundredths, std::nearbyint(hundredths), 1e-3) << jdn;
        // One day moves the triangle wave by 100 / (29.53 / 2) = 6.77 points.
        ASSERT_LE(std::fabs(phase.percentLit - previous), 6.8f) << jdn;
        previous = phase.percentLit;
    }
}

TEST(MoonPhase, WaxingWhileTheLitPartGrows) {
    int waxingDays = 0;
    const int first = JulianDayNumber(2020, 1, 1);
    for (int jdn = first; jdn < first + 3650; ++jdn) {
        const MoonPhaseResult today = MoonPhase(static_cast<float>(jdn - 0.5));
        const MoonPhaseResult tomorrow = MoonPhase(static_cast<float>(jdn + 0.5));
        // Away from new and full moon the flag must agree with the next day's change.
        if (today.percentLit > 8 && today.percentLit < 92) {
            ASSERT_EQ(today.waxing, tomorrow.percentLit > today.percentLit) << jdn;
        }
        waxingDays += today.waxing ? 1 : 0;
    }
    EXPECT_NEAR(waxingDays, 1825, 150);
}

}  // namespace
}  // namespace quintrel::mRiseSet
