#include <gtest/gtest.h>

#include <cstdint>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

double CenturiesFromJ2000(double mjd) {
    return (mjd - 51544.5) / 36525;
}

TEST(MiniSeries, KnownPositions) {
    struct Case {
        const char* name;
        EquatorialPosition position;
        double rightAscensionHours;
        double declinationDeg;
    };
    const Case cases[] = {
        {"sun at J2000", MiniSun(0), 18.7530, -23.0332},
        {"moon at J2000", MiniMoon(0), 14.8300, -10.9036},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.position.rightAscensionHours, c.rightAscensionHours, 5e-5) << c.name;
        EXPECT_NEAR(c.position.declinationDeg, c.declinationDeg, 5e-5) << c.name;
    }
}

TEST(MiniSun, SolsticeDeclinationStaysBelowTheObliquity) {
    const double declination = MiniSun(CenturiesFromJ2000(52811)).declinationDeg;
    EXPECT_NEAR(declination, 23.4373, 5e-5);
    EXPECT_LT(declination, 23.44);
}

TEST(MiniSeries, CoordinatesStayInRangeOverDecades) {
    for (double mjd = 33282; mjd < 69807; mjd += 0.37) {  // 1950 .. 2050
        const double t = CenturiesFromJ2000(mjd);
        for (const EquatorialPosition& p : {MiniSun(t), MiniMoon(t)}) {
            ASSERT_GE(p.rightAscensionHours, 0) << mjd;
            ASSERT_LT(p.rightAscensionHours, 24) << mjd;
            ASSERT_LE(p.declinationDeg, 29) << mjd;
            ASSERT_GE(p.declinationDeg, -29) << mjd;
        }
    }
}

TEST(MiniSun, RightAscensionWrapsJustBelow24AtTheEquinox) {
    // Around the March equinox of 2000 the raw right ascension turns from small negative
    // to small positive; the negative side must come out just below 24.
    bool sawJustBelow24 = false;
    bool sawJustAbove0 = false;
    for (double mjd = 51622; mjd < 51626; mjd += 1.0 / 1440) {
        const double ra = MiniSun(CenturiesFromJ2000(mjd)).rightAscensionHours;
        ASSERT_GE(ra, 0) << mjd;
        ASSERT_LT(ra, 24) << mjd;
        sawJustBelow24 |= ra > 23.99;
        sawJustAbove0 |= ra < 0.01;
    }
    EXPECT_TRUE(sawJustBelow24);
    EXPECT_TRUE(sawJustAbove0);
}

TEST(SinAltitude, EveryBodyCodeButOneIsTheSun) {
    const double cosLat = CosDeg(40);
    const double sinLat = SinDeg(40);
    const double sun = SinAltitude(2, 52968.2, 7.5, 75, cosLat, sinLat);
    for (std::int16_t body : {0, 3, 4, -1, 32767}) {
        EXPECT_EQ(SinAltitude(body, 52968.2, 7.5, 75, cosLat, sinLat), sun) << body;
    }
    EXPECT_NE(SinAltitude(1, 52968.2, 7.5, 75, cosLat, sinLat), sun);
}

TEST(SinAltitude, SunIsHighAtLocalNoonAndBelowAtMidnight) {
    // Greenwich at the June solstice 2003: altitude about 62 degrees at noon.
    const double noon = SinAltitude(2, 52811, 12, 0, CosDeg(51.5), SinDeg(51.5));
    EXPECT_NEAR(noon, SinDeg(90 - 51.5 + 23.44), 2e-3);
    EXPECT_LT(SinAltitude(2, 52811, 0, 0, CosDeg(51.5), SinDeg(51.5)), 0);
}

}  // namespace
}  // namespace quintrel::mRiseSet
