// Moon phase from the mean synodic month: a triangle wave of the moon's age, 0 % at new
// moon and 100 % at full moon, the same everywhere on Earth.

#include <cmath>

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

constexpr double kSynodicMonthDays = 29.53058;
// Shifts the cycle so that it starts at a full moon for this day count.
constexpr double kPhaseOffsetDays = 4.867;
// The waxing test compares with the phase six hours earlier.
constexpr double kLookBackDays = 0.25;

// Distance from new moon in percent, unrounded: 0 at new moon, 100 at full moon.
double TrianglePercent(double cycles) {
    const double age = cycles - std::trunc(cycles);
    return (age * 2 - 1) * 100;
}

}  // namespace

MoonPhaseResult MoonPhase(float dayValue) {
    MoonPhaseResult result;
    const double p = TrianglePercent((dayValue + kPhaseOffsetDays) / kSynodicMonthDays);
    result.percentLit = static_cast<float>(RoundHalfEven(std::fabs(p) * 100) / 100);
    const double q =
        TrianglePercent((dayValue + kPhaseOffsetDays - kLookBackDays) / kSynodicMonthDays);
    // Truncating the earlier value keeps the flag "waxing" for a few hours past full moon.
    const double earlierPercent = std::trunc(std::fabs(q));
    result.waxing = earlierPercent < result.percentLit;
    return result;
}

}  // namespace quintrel::mRiseSet
