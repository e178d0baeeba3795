#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "locations/Coordinates.h"

namespace quintrel {
namespace {

TEST(ToDegreesMinutes, RoundsToTheNearestMinuteCarryingIntoTheDegrees) {
    struct Case {
        double degrees;
        long wholeDegrees;
        long minutes;
    };
    const Case cases[] = {
        {47.88, 47, 53},   // 52.8 minutes
        {-93.52, 93, 31},  // 31.2 minutes, the sign is the hemisphere's
        {47.9999, 48, 0},  // 59.994 minutes round up into the next degree
        {0.0125, 0, 1},    // 0.75 minutes
        {180, 180, 0},
    };
    for (const Case& c : cases) {
        const DegreesMinutes angle = ToDegreesMinutes(c.degrees);
        EXPECT_EQ(angle.degrees, c.wholeDegrees) << c.degrees;
        EXPECT_EQ(angle.minutes, c.minutes) << c.degrees;
    }
}

TEST(ParseDecimalDegrees, SignedOrFractionalNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<double> degrees;
    };
    const Case cases[] = {
        {"47.88", 47.88},
        {" -93.52 ", -93.52},
        {"-93", -93.0},
        {"+12", 12.0},
        {"0,5", 0.5},
        {".5", 0.5},
        {"47", std::nullopt},  // the box's own text
        {"", std::nullopt},
        {"-", std::nullopt},
        {"4x.5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"--4.5", std::nullopt},
        {"1e2", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimalDegrees(c.text), c.degrees) << '"' << c.text << '"';
    }
}

TEST(ParsePosition, PastedPositionsInTheFormsPhonesAndMapsGive) {
    struct Case {
        const char* text;
        bool parsed;
        double latitude;
        double longitude;
    };
    const Case cases[] = {
        {"47.88, -93.52", true, 47.88, -93.52},
        {"47.88,-93.52", true, 47.88, -93.52},
        {"  -33.8688 151.2093 ", true, -33.8688, 151.2093},
        {"47.88; -93.52", true, 47.88, -93.52},
        {"47.88\xC2\xB0 N, 93.52\xC2\xB0 W", true, 47.88, -93.52},
        {"47.88N 93.52W", true, 47.88, -93.52},
        {"n47.88 w93.52", true, 47.88, -93.52},
        {"93.52 W, 47.88 N", true, 47.88, -93.52},  // the letters say which is which
        {"47\xC2\xB0"
         "52'48\"N 93\xC2\xB0"
         "31'12\"W",
         true, 47.88, -93.52},
        {"33\xC2\xBA"
         "52\xE2\x80\xB2S 151\xC2\xBA"
         "12.5\xE2\x80\xB2"
         "E",
         true, -(33 + 52 / 60.0), 151 + 12.5 / 60},
        {"47.88", false, 0, 0},
        {"brisbane", false, 0, 0},
        {"47.88-93.52", false, 0, 0},
        {"47.88 N, 93.52 S", false, 0, 0},   // two latitudes
        {"-47.88 S, 93.52 E", false, 0, 0},  // the side said twice
        {"91, 10", false, 0, 0},             // beyond the pole
        {"10, 181", false, 0, 0},
        {"47.5\xC2\xB0"
         "30' N, 93 W",
         false, 0, 0},  // minutes after a fraction
        {"47\xC2\xB0"
         "60' N, 93 W",
         false, 0, 0},
        {"47.88, -93.52, 12", false, 0, 0},
        {"47.88, Paris", false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto position = ParsePosition(c.text);
        ASSERT_EQ(position.has_value(), c.parsed) << '"' << c.text << '"';
        if (position) {
            EXPECT_NEAR(position->latitude, c.latitude, 1e-9) << c.text;
            EXPECT_NEAR(position->longitude, c.longitude, 1e-9) << c.text;
        }
    }
}

}  // namespace
}  // namespace quintrel
