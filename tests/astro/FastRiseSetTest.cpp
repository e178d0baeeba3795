#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "astro/FastMath.h"
#include "astro/FastRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

// The polynomial functions against libm (itself within a unit in the last place of the
// truth): the largest difference must stay well inside the stated bounds, which the
// sample bounds are built on.
TEST(FastMath, StaysWithinItsBoundsOfLibm) {
    std::mt19937_64 random(20261207);
    struct Range {
        const char* name;
        double low, high;
    };
    const Range ranges[] = {{"near zero", -1e-3, 1e-3},
                            {"one turn", -7, 7},
                            {"series arguments", -30, 30},
                            {"widest", -64, 64},
                            {"quadrant edges", 0.78, 0.79}};
    double worstSinCos = 0;
    for (const Range& range : ranges) {
        std::uniform_real_distribution<double> pick(range.low, range.high);
        for (int i = 0; i < 200000; ++i) {
            const double x = pick(random);
            double s = 0, c = 0;
            fastmath::SinCos(x, s, c);
            worstSinCos =
                std::max({worstSinCos, std::fabs(s - std::sin(x)), std::fabs(c - std::cos(x))});
        }
    }
    EXPECT_LT(worstSinCos, fastmath::kSinCosErrorBound / 4);

    double worstArctan = 0;
    std::uniform_real_distribution<double> exponent(-20, 20);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    for (int i = 0; i < 400000; ++i) {
        const double u = mantissa(random) * std::pow(2.0, exponent(random));
        worstArctan = std::max(worstArctan, std::fabs(fastmath::Arctan(u) - std::atan(u)));
    }
    for (const double u : {0.0, -0.0, 1.0, -1.0, 0.41421356237309503, 0.198912367379658,
                           std::numeric_limits<double>::infinity(), 1e300, -1e-300}) {
        worstArctan = std::max(worstArctan, std::fabs(fastmath::Arctan(u) - std::atan(u)));
    }
    EXPECT_LT(worstArctan, fastmath::kArctanErrorBound / 4);
}

// Every fast sample lies within its bound of the exact one, and the bounds are small
// enough to decide nearly everything (below 1e-10 in the sine of the altitude).
TEST(FastRiseSet, SamplesLieWithinTheirBounds) {
    if (!FastSearchAvailable()) {
        GTEST_SKIP() << "this processor has no AVX2 and FMA";
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9);
    std::uniform_real_distribution<double> longitude(-180, 180);
    std::uniform_int_distribution<int> year(101, 9998);
    std::uniform_int_distribution<int> month(1, 12);
    std::uniform_int_distribution<int> day(1, 28);
    std::uniform_int_distribution<int> zone(-12, 12);
    double worstRatio = 0;
    int wideBounds = 0;
    for (int i = 0; i < 4000; ++i) {
        const char* body = i % 3 == 0 ? "" : (i % 3 == 1 ? "M" : "N");
        const BodySearch search = MakeBodySearch(
            body, latitude(random), longitude(random), zone(random),
            static_cast<std::int16_t>(year(random)), static_cast<std::int16_t>(month(random)),
            static_cast<std::int16_t>(day(random)));
        DaySamples samples;
        SampleDayFast(search, samples);
        for (int hour = 0; hour < DaySamples::kHours; ++hour) {
            const double exact =
                SinAltitude(search.body, search.mjd0, hour, search.longitudeWestDeg,
                            search.cosLatitude, search.sinLatitude) -
                search.sinThreshold;
            const auto h = static_cast<std::size_t>(hour);
            ASSERT_LE(std::fabs(samples.value[h] - exact), samples.bound[h])
                << "body '" << body << "' hour " << hour;
            if (std::isfinite(samples.bound[h])) {
                worstRatio =
                    std::max(worstRatio, std::fabs(samples.value[h] - exact) / samples.bound[h]);
            }
            wideBounds += samples.bound[h] < 1e-10 ? 0 : 1;
        }
    }
    // Shown in every run, so that a bound drifting towards its limit is seen before it fails.
    std::cout << "worst sample error to bound ratio: " << worstRatio << "\n";
    RecordProperty("worst_error_to_bound_ratio", std::to_string(worstRatio));
    EXPECT_LT(worstRatio, 0.5);
    // Only near right ascension 12 h does a bound widen (or become unknown).
    EXPECT_LT(wideBounds, 4000 * DaySamples::kHours / 1000);
}

// Samples of a parabola with its crossing placed on one of the search's edges: the
// decision there must go to the exact search, and just off it must not.
DaySamples ParabolaSamples(double crossingHour, double slopePerHour, double curvature = 1e-3) {
    DaySamples samples;
    for (int hour = 0; hour < 28; ++hour) {
        const auto h = static_cast<std::size_t>(hour);
        const double x = hour - crossingHour;
        samples.value[h] = slopePerHour * x + curvature * x * x;
        samples.bound[h] = 1e-13;
    }
    return samples;
}

TEST(FastRiseSet, DecisionsOnTheirEdgesGoToTheExactSearch) {
    struct Row {
        const char* name;
        DaySamples samples;
        bool decided;
    };
    DaySamples atZero = ParabolaSamples(10.25, 0.1);
    atZero.value[0] = 1e-300;  // the "above at midnight" test on a sample of about zero
    DaySamples unknown = ParabolaSamples(10.25, 0.1);
    unknown.bound[7] = std::numeric_limits<double>::infinity();
    // A sample smaller than its own bound, whose sign (above or below the horizon) could
    // be either, next to the crossing it would decide.
    DaySamples tiny = ParabolaSamples(10 - 1e-13, 0.1);
    tiny.bound[10] = 1e-13;
    DaySamples collinear = ParabolaSamples(10.25, 0.1, 0);  // a = 0: no parabola
    const Row rows[] = {
        {"a straight line has no parabola", collinear, false},
        {"crossing on a window's edge", ParabolaSamples(2 + 0x1p-24, 0.1), false},
        {"rounding half a minute", ParabolaSamples(10.5 + 0.5 / 60 + 0x1p-40, 0.01), false},
        {"sample at zero at midnight", atZero, false},
        {"unknown bound", unknown, false},
        {"sample smaller than its bound", tiny, false},
        {"a crossing off every edge", ParabolaSamples(10.3, 0.1), true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecideRiseSet(row.samples).has_value(), row.decided) << row.name;
    }

    // A real curve off every edge is decided, with the crossing's minute.
    DaySamples curved;
    for (int hour = 0; hour < 28; ++hour) {
        const auto h = static_cast<std::size_t>(hour);
        curved.value[h] = std::sin((hour - 6.2) * 3.14159265358979 / 12) * 0.8;
        curved.bound[h] = 1e-12;
    }
    const std::optional<RiseSetHours> decided = DecideRiseSet(curved);
    ASSERT_TRUE(decided.has_value());
    EXPECT_TRUE(decided->riseFound);
    EXPECT_TRUE(decided->setFound);
    EXPECT_EQ(RiseSetHoursToTexts(*decided).rise, "06:12");
    EXPECT_EQ(RiseSetHoursToTexts(*decided).set, "18:12");
}

}  // namespace
}  // namespace quintrel::mRiseSet
