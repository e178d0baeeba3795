#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "astro/CoreError.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

std::string ClockText(int hours, int minutes) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hours, minutes);
    return text;
}

TEST(HoursToHhmm, RoundsToTheNearestMinute) {
    struct Case {
        double hours;
        double expected;
    };
    const Case cases[] = {{0.004, 0},    {6.99, 659},   {23.9999, 2400},
                          {6.0833, 605}, {0.5 / 60, 1}, {0, 0},
                          {12.5, 1230},  {23.99, 2359}, {1 - 0.1 / 60, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(HoursToHhmm(c.hours), c.expected) << c.hours;
    }
}

TEST(HoursToTimeText, TruncatesMinutesOfTheSingle) {
    struct Case {
        float hours;
        const char* expected;
    };
    const Case cases[] = {{0.7917f, "00:47"},
                          {6.0f, "06:00"},
                          {23.99f, "23:59"},
                          {6.1f, "06:05"},
                          {12.4167f, "12:25"},
                          {13.5f, "13:30"},
                          {0.0f, "00:00"},
                          {24.0f, "24:00"},
                          {24.5f, "24:30"},
                          // Outside the day: what the activity times then drop or read back.
                          {-0.5f, "00:30"},
                          {-3.2f, "-3:12"},
                          {-12.5f, "12:30"},
                          {99.5f, "99:30"},
                          {123.5f, "23:30"}};
    for (const auto& c : cases) {
        EXPECT_EQ(HoursToTimeText(c.hours), c.expected) << c.hours;
    }
}

// The activity times pass times on as their parts and read them back without the text:
// that must give what reading the text gives, wherever it gives anything.
TEST(ClockParts, ReadBackAsTheirTextIsRead) {
    std::vector<float> hours{-9.99f, -9.0f, -0.5f, -0.0f, 0.0f, 23.9999f, 24.0f, 99.99f};
    for (float h = -12.0f; h < 102.0f; h += 0.37f) {
        hours.push_back(h);
    }
    for (const float h : hours) {
        const ClockParts parts = HoursToClockParts(h);
        const std::string text = ClockPartsText(parts);
        EXPECT_EQ(text, HoursToTimeText(h)) << h;
        const std::optional<double> read = ClockPartsHours(parts);
        EXPECT_EQ(read.has_value(), parts.hour >= -9 && parts.hour <= 99) << h;
        if (read) {
            EXPECT_EQ(*read, TimeTextToHours(text)) << text;
        }
    }
}

TEST(HoursToTimeText, KeepsMinutesThatTheSingleRoundsDown) {
    // 01:01 read back as a single lies just below the minute; the truncation keeps the
    // lower minute. The activity times depend on this.
    EXPECT_EQ(HoursToTimeText(static_cast<float>(TimeTextToHours("01:01"))), "01:00");
    EXPECT_EQ(HoursToTimeText(static_cast<float>(TimeTextToHours("13:36"))), "13:36");
}

TEST(TimeText, EveryMinuteOfTheDayRoundTrips) {
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; ++m) {
            const std::string text = ClockText(h, m);
            const double hours = TimeTextToHours(text);
            ASSERT_EQ(hours, h + m / 60.0) << text;
            ASSERT_EQ(HoursToHhmm(hours), h * 100 + m) << text;
            ASSERT_EQ(HoursToTimeText(static_cast<float>(h + (m + 0.5) / 60)), text) << text;
        }
    }
}

TEST(TimeText, MidnightBoundaries) {
    EXPECT_EQ(TimeTextToHours("00:00"), 0);
    EXPECT_EQ(TimeTextToHours("24:00"), 24);
    EXPECT_NEAR(TimeTextToHours("06:05"), 6.0833, 5e-5);
    EXPECT_EQ(HoursToTimeText(0.999f / 60), "00:00");
    EXPECT_EQ(HoursToTimeText(23.9999f), "23:59");
}

TEST(TimeTextToHours, RejectsTextThatIsNotATime) {
    for (const char* text : {"", "up", "down", ":", "ab:cd", "12:", "1200", "never", "1x:05"}) {
        try {
            TimeTextToHours(text);
            FAIL() << "accepted \"" << text << "\"";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find(std::string("\"") + text + "\""),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(ClockTextMinutes, ReadsOnlyStrictClockTimes) {
    const struct {
        const char* text;
        std::optional<int> minutes;
    } cases[] = {
        {"00:00", 0},   {"06:05", 365}, {"23:59", 1439}, {"24:00", 1440},
        {"12:60", {}},  {"12:99", {}},  {"6:05", {}},    {"06:5", {}},
        {"06:05 ", {}}, {" 06:05", {}}, {"06.05", {}},   {":", {}},
        {"never", {}},  {"", {}},       {"-1:05", {}},   {"0x:05", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClockTextMinutes(c.text), c.minutes) << '"' << c.text << '"';
    }
}

TEST(ShiftBackOneHour, MovesBackAndDropsTimesBeforeMidnight) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {{"10:05", "09:05"}, {"00:40", ":"},     {"00:59", ":"},
                          {"01:00", "00:00"}, {"24:00", "23:00"}, {"23:59", "22:59"}};
    for (const auto& c : cases) {
        std::string text = c.before;
        ShiftBackOneHour(text);
        EXPECT_EQ(text, c.after) << c.before;
    }
}

TEST(ShiftBackOneHour, RejectsAStatusWord) {
    std::string text = "up";
    EXPECT_THROW(ShiftBackOneHour(text), CoreError);
}

}  // namespace
}  // namespace quintrel::mRiseSet
