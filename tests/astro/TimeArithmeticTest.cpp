#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

TEST(Frac, StaysInUnitIntervalForNegativesAndWholeNumbers) {
    struct Case {
        double x;
        double expected;
    };
    const Case cases[] = {{-0.25, 0.75}, {-3, 0}, {2.5, 0.5}, {0, 0}, {7, 0}, {-1e6, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Frac(c.x), c.expected) << c.x;
    }
}

TEST(ModifiedJulianDate, KnownDates) {
    struct Case {
        const char* name;
        std::int16_t year, month, day, hour;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"J2000 day", 2000, 1, 1, 0, 51544},
        {"epoch", 1858, 11, 17, 0, 0},
        {"25 Nov 2003", 2003, 11, 25, 0, 52968},
        // 51544.5 and 51545.5: halves go to the even neighbour.
        {"noon rounds to even below", 2000, 1, 1, 12, 51544},
        {"noon rounds to even above", 2000, 1, 2, 12, 51546},
        {"before year 1 uses the astronomical year", -1, 3, 1, 0, -678883},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModifiedJulianDate(c.year, c.month, c.day, c.hour), c.expected) << c.name;
    }
}

TEST(ModifiedJulianDate, JulianAndGregorianCalendarsMeetWithoutGap) {
    EXPECT_EQ(ModifiedJulianDate(1582, 10, 15, 0), ModifiedJulianDate(1582, 10, 4, 0) + 1);
}

TEST(ModifiedJulianDate, CountsEveryDayOnceFrom1900To2100) {
    // Compared with an independent day count: leap years, month lengths and the
    // January/February shift all show up as a jump in the difference.
    const DaySerial first = DateSerial(1900, 1, 1);
    const DaySerial last = DateSerial(2100, 12, 31);
    const std::int32_t offset = ModifiedJulianDate(1900, 1, 1, 0) - first;
    for (DaySerial serial = first; serial <= last; ++serial) {
        const CivilDate date = DateFromSerial(serial);
        ASSERT_EQ(ModifiedJulianDate(static_cast<std::int16_t>(date.year),
                                     static_cast<std::int16_t>(date.month),
                                     static_cast<std::int16_t>(date.day), 0) -
                      serial,
                  offset)
            << date.year << "-" << date.month << "-" << date.day;
    }
}

TEST(ModifiedJulianDate, SixteenBitOverflowIsAnErrorNamingTheDate) {
    try {
        ModifiedJulianDate(2000, 32767, 1, 0);
        FAIL() << "no error";
    } catch (const CoreError& error) {
        EXPECT_NE(std::string(error.what()).find("2000-32767-1"), std::string::npos)
            << error.what();
    }
}

TEST(LocalSiderealTime, KnownValues) {
    EXPECT_NEAR(LocalSiderealTime(51544.5, 0), 18.6974, 5e-5);
    EXPECT_NEAR(LocalSiderealTime(51544, 90), 0.6645, 5e-5);
    EXPECT_NEAR(LocalSiderealTime(51544, 0) - LocalSiderealTime(51544, 90), 6, 1e-9);
}

TEST(LocalSiderealTime, StaysWithinTheDayForAnyLongitude) {
    for (double mjd = 40000; mjd < 70000; mjd += 37.13) {
        for (double longitude = -180; longitude <= 180; longitude += 45) {
            const double lst = LocalSiderealTime(mjd, longitude);
            ASSERT_GE(lst, 0) << mjd << " " << longitude;
            ASSERT_LT(lst, 24) << mjd << " " << longitude;
        }
    }
}

TEST(JulianDayNumber, KnownDates) {
    struct Case {
        int year, month, day;
        std::int32_t expected;
    };
    const Case cases[] = {{2000, 1, 1, 2451545},
                          {2000, 1, 21, 2451565},
                          {2024, 1, 11, 2460321},
                          {1858, 11, 17, 2400001},
                          {2024, 2, 29, 2460370}};
    for (const auto& c : cases) {
        EXPECT_EQ(JulianDayNumber(c.year, c.month, c.day), c.expected)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(JulianDayNumber, AgreesWithModifiedJulianDateFrom1900To2100) {
    for (DaySerial serial = DateSerial(1900, 1, 1); serial <= DateSerial(2100, 12, 31);
         serial += 3) {
        const CivilDate d = DateFromSerial(serial);
        ASSERT_EQ(JulianDayNumber(d.year, d.month, d.day) - 2400001,
                  ModifiedJulianDate(static_cast<std::int16_t>(d.year),
                                     static_cast<std::int16_t>(d.month),
                                     static_cast<std::int16_t>(d.day), 0))
            << d.year << "-" << d.month << "-" << d.day;
    }
}

TEST(JulianDayNumber, OverflowIsAnError) {
    EXPECT_THROW(JulianDayNumber(2000000000, 1, 1), CoreError);
    EXPECT_THROW(JulianDayNumber(-2000000000, 1, 1), CoreError);
}

}  // namespace
}  // namespace quintrel::mRiseSet
