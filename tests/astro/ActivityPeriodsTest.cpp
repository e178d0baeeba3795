#include <gtest/gtest.h>

#include <string>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

TEST(MajorMinorTimes, FromMoonEvents) {
    struct Case {
        const char* name;
        const char* previousRise;
        const char* rise;
        const char* set;
        const char* nextSet;
        ActivityTimes expected;
    };
    const Case cases[] = {
        {"rise before set", "x", "09:05", "18:08", "x", {"01:10", "13:36", "07:23", "19:48"}},
        {"rise after set", "x", "23:00", "05:41", "x", {"02:20", "14:45", "08:32", "20:57"}},
        {"one major only", "x", "05:10", "18:04", "x", {"11:37", ":", "05:24", "17:49"}},
        {"previous day's rise", "13:30", ":", "23:32", "x", {"06:04", "18:30", "12:17", ":"}},
        {"moon up all day", "up", "up", "10:00", "x", {":", ":", ":", ":"}},
        {"no rise yesterday or today", "never", "down", "10:00", "x", {":", ":", ":", ":"}},
        {"next day's set", "x", "10:00", "", "20:00", {"02:34", "15:00", "08:47", "21:12"}},
        {"no set today or tomorrow", "x", "10:00", "", ":", {":", ":", ":", ":"}},
        {"display words are not times", "x", "10:00", "sets", "rises", {":", ":", ":", ":"}},
        {"empty rise is not a time", "", "", "10:00", "x", {":", ":", ":", ":"}},
        {"second major wraps past midnight",
         "x",
         "05:00",
         "18:11",
         "x",
         {"00:00", "11:35", "05:22", "17:47"}},
    };
    for (const auto& c : cases) {
        const ActivityTimes t = MajorMinorTimes(c.previousRise, c.rise, c.set, c.nextSet);
        EXPECT_EQ(t.Major1, c.expected.Major1) << c.name;
        EXPECT_EQ(t.Major2, c.expected.Major2) << c.name;
        EXPECT_EQ(t.Minor1, c.expected.Minor1) << c.name;
        EXPECT_EQ(t.Minor2, c.expected.Minor2) << c.name;
    }
}

TEST(OppositeMajor, HalfALunarDayAway) {
    struct Case {
        const char* major;
        const char* expected;
    };
    const Case cases[] = {
        {"13:36", "01:10"},                  // earlier opposite transit
        {"11:35", "00:00"},                  // just past 24 wraps into the first minute
        {"11:36", "00:01"}, {"11:37", ":"},  // more than a minute past the day: no second major
        {"00:00", "12:25"}, {"12:25", ":"},  // 12:25 as a single lies below 12.4167
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OppositeMajor(c.major), c.expected) << c.major;
    }
}

TEST(MajorMidpoint, AcrossMidnight) {
    EXPECT_EQ(MajorMidpoint("23:00", "05:41"), "02:20");
    EXPECT_EQ(MajorMidpoint("22:00", "00:30"), "23:15");
    EXPECT_EQ(MajorMidpoint("09:05", "18:08"), "13:36");
    EXPECT_EQ(MajorMidpoint("12:00", "12:00"), "12:00");
}

TEST(MinorTimes, StayWithinTheDay) {
    struct Case {
        const char* major1;
        const char* major2;
        MinorPair expected;
    };
    const Case cases[] = {
        {"01:10", "13:36", {"07:23", "19:48"}},  // both around the later major
        {"07:00", "19:25", {"00:47", "13:12"}},  // the minor before each major
        {"17:48", ":", {"11:35", "24:00"}},      // 24:00 exactly stays
        {"18:30", ":", {"12:17", ":"}},          // past the end of the day
    };
    for (const auto& c : cases) {
        const MinorPair m = MinorTimes(c.major1, c.major2);
        EXPECT_EQ(m.Minor1, c.expected.Minor1) << c.major1 << " " << c.major2;
        EXPECT_EQ(m.Minor2, c.expected.Minor2) << c.major1 << " " << c.major2;
    }
}

}  // namespace
}  // namespace quintrel::mRiseSet
