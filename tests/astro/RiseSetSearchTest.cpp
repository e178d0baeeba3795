#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "astro/CoreError.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

struct EventCase {
    const char* name;
    const char* latitude;
    const char* longitude;
    const char* zone;
    const char* code;
    std::int16_t year, month, day;
    const char* expected;
};

TEST(RiseSetTime, KnownEvents) {
    const EventCase cases[] = {
        {"sunrise Philadelphia", "40", "-75", "-5", "R", 2003, 11, 25, "06:56"},
        {"sunset Philadelphia", "40", "-75", "-5", "S", 2003, 11, 25, "16:37"},
        {"moonrise Philadelphia", "40", "-75", "-5", "MR", 2003, 11, 25, "09:05"},
        {"moonset Philadelphia", "40", "-75", "-5", "MS", 2003, 11, 25, "18:07"},
        {"sunrise London solstice", "51.5", "0", "0", "R", 2003, 6, 21, "03:43"},
        {"sunset London solstice", "51.5", "0", "0", "S", 2003, 6, 21, "20:21"},
        {"moon rises only", "40", "-75", "-5", "MR", 2003, 11, 2, "14:26"},
        {"moon sets after midnight", "40", "-75", "-5", "MS", 2003, 11, 2, ""},
        {"moon does not rise", "40", "-75", "-5", "MR", 2003, 11, 17, ""},
        {"moon sets only", "40", "-75", "-5", "MS", 2003, 11, 17, "13:32"},
        {"nautical dawn equator", "0", "0", "0", "NR", 2003, 3, 21, "05:20"},
        {"nautical dusk equator", "0", "0", "0", "NS", 2003, 3, 21, "18:55"},
        {"blanks around the numbers", " 40 ", " -75", "-5 ", "R", 2003, 11, 25, "06:56"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RiseSetTime(c.latitude, c.longitude, c.zone, c.code, c.year, c.month, c.day),
                  c.expected)
            << c.name;
    }
}

TEST(RiseSetTime, StatusWordsAtPolarLatitudes) {
    const EventCase cases[] = {
        {"midnight sun rise", "70", "20", "1", "R", 2003, 6, 21, "up"},
        {"midnight sun set", "70", "20", "1", "S", 2003, 6, 21, "up"},
        {"polar night rise", "70", "20", "1", "R", 2003, 12, 21, "down"},
        {"polar night set", "70", "20", "1", "S", 2003, 12, 21, "down"},
        {"south pole summer", "-89", "0", "0", "R", 2003, 12, 21, "up"},
        {"north pole summer dusk", "89", "0", "0", "NS", 2003, 6, 21, "up"},
        {"same word for a code asking no event", "70", "20", "1", "r", 2003, 6, 21, "up"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RiseSetTime(c.latitude, c.longitude, c.zone, c.code, c.year, c.month, c.day),
                  c.expected)
            << c.name;
    }
}

TEST(RiseSetTime, EventCodesAreCaseSensitive) {
    const auto event = [](const char* code) {
        return RiseSetTime("40", "-75", "-5", code, 2003, 11, 25);
    };
    // "Mr" asks for the moon but for neither event: empty whenever something happens.
    EXPECT_EQ(event("Mr"), "");
    EXPECT_EQ(event("MR"), "09:05");
    // Only an upper-case "M" or "N" selects another body; anything else is the sun.
    EXPECT_EQ(event("mR"), event("R"));
    EXPECT_EQ(event("XS"), event("S"));
    EXPECT_EQ(event("nR"), event("R"));
    EXPECT_NE(event("NR"), event("R"));
    EXPECT_EQ(event(""), "");
}

TEST(RiseSetTime, EventsAtTheEdgesOfTheDay) {
    const EventCase cases[] = {
        {"moonset in the first minutes", "40", "-75", "-5", "MS", 2003, 6, 6, "00:02"},
        {"moonrise before half past", "40", "-75", "-5", "MR", 2003, 1, 25, "00:25"},
        {"moonrise in the last half minute", "40", "-75", "-5", "MR", 2004, 7, 9, "24:00"},
        {"moonset in the last half minute", "-33.85", "151.2", "10", "MS", 2004, 4, 28, "24:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RiseSetTime(c.latitude, c.longitude, c.zone, c.code, c.year, c.month, c.day),
                  c.expected)
            << c.name;
    }
}

TEST(RiseSetTime, FractionalZoneShiftsTheClock) {
    // Half an hour more ahead of UT moves the same sunrise half an hour later on the clock.
    const double base = TimeTextToHours(RiseSetTime("40", "-75", "-5", "R", 2003, 11, 25));
    const double later = TimeTextToHours(RiseSetTime("40", "-75", "-4.5", "R", 2003, 11, 25));
    EXPECT_NEAR(later - base, 0.5, 1.5 / 60);
}

TEST(RiseSetTime, TextThatIsNotANumberIsAnErrorNamingIt) {
    struct Case {
        const char* latitude;
        const char* longitude;
        const char* zone;
        const char* bad;
    };
    const Case cases[] = {{"4O", "-75", "-5", "4O"},
                          {"40", "", "-5", ""},
                          {"40", "-75", "5h", "5h"},
                          {"40", "-75", "1,5", "1,5"}};
    for (const auto& c : cases) {
        try {
            RiseSetTime(c.latitude, c.longitude, c.zone, "R", 2003, 11, 25);
            FAIL() << "accepted \"" << c.bad << "\"";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find(std::string("\"") + c.bad + "\""),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(QuadInterpolate, Crossings) {
    struct Case {
        const char* name;
        double ym, yz, yp;
        int nz;
        double z1, z2;
    };
    const Case cases[] = {
        {"two symmetric", 1, -1, 1, 2, -0.70710678118654757, 0.70710678118654757},
        {"roots on both edges", 0, -1, 0, 2, -1, 1},
        {"first root left of window takes the second", -0.75, -0.75, 1.25, 1, 0.5, 0.5},
        {"no real roots", 1, 2, 3.5, 0, 0, 0},
        {"touching only (dis = 0)", 1, 0, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const QuadResult r = QuadInterpolate(c.ym, c.yz, c.yp);
        EXPECT_EQ(r.nz, c.nz) << c.name;
        EXPECT_NEAR(r.z1, c.z1, 1e-12) << c.name;
        EXPECT_NEAR(r.z2, c.z2, 1e-12) << c.name;
    }
}

TEST(QuadInterpolate, ExtremumOfTheParabola) {
    // y = (x - 0.25)^2 - 1 sampled at -1, 0, 1.
    const auto y = [](double x) { return (x - 0.25) * (x - 0.25) - 1; };
    const QuadResult r = QuadInterpolate(y(-1), y(0), y(1));
    EXPECT_NEAR(r.xe, 0.25, 1e-12);
    EXPECT_NEAR(r.ye, -1, 1e-12);
}

TEST(QuadInterpolate, RootJustOutsideTheWindowCountsWhenItRoundsToOneAsASingle) {
    // Roots at -0.5 and 1 + 1e-9: outside in double, exactly 1 as a 32-bit float.
    const double z1 = -0.5;
    const double z2 = 1 + 1e-9;
    const auto y = [&](double x) { return (x - z1) * (x - z2); };
    EXPECT_EQ(QuadInterpolate(y(-1), y(0), y(1)).nz, 2);
    // 1 + 1e-6 is outside even as a single.
    const double far = 1 + 1e-6;
    const auto w = [&](double x) { return (x - z1) * (x - far); };
    EXPECT_EQ(QuadInterpolate(w(-1), w(0), w(1)).nz, 1);
}

TEST(QuadInterpolate, CollinearSamplesHaveNoCrossing) {
    for (const auto& [ym, yz, yp] :
         {std::tuple{-1.0, 0.0, 1.0}, std::tuple{0.0, 0.0, 0.0}, std::tuple{2.0, 1.0, 0.0}}) {
        const QuadResult r = QuadInterpolate(ym, yz, yp);
        EXPECT_EQ(r.nz, 0) << ym << " " << yz << " " << yp;
        EXPECT_EQ(r.z1, 0);
        EXPECT_EQ(r.z2, 0);
    }
}

}  // namespace
}  // namespace quintrel::mRiseSet
