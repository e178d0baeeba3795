#include "locations/RealClock.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/CivilDate.h"

namespace quintrel {
namespace {

// New York (forward at 02:00 standard on the second Sunday of March, back at 02:00 summer
// time on the first Sunday of November) and Sydney (forward at 02:00 on the first Sunday of
// October, back at 03:00 on the first Sunday of April), as in the shipped place list.
const std::string kNewYork =
    "0USA - New York       New York         + 40 43- 74  0-   51022103021111";
const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";

PlaceClock NewYork() {
    return MakePlaceClock(kNewYork, "-5", "1", "40.71667");
}
PlaceClock Sydney() {
    return MakePlaceClock(kSydney, "10", "1", "-33.86667");
}

UnixSeconds Utc(int year, int month, int day, int hour, int minute) {
    return UtcMidnight(DateSerial(year, month, day)) + hour * 3600 + minute * 60;
}

TEST(LocalDayOf, ChangeDaysLastTwentyThreeOrTwentyFiveHoursAndSayWhereTheClockMoves) {
    const struct {
        const char* name;
        PlaceClock clock;
        int year, month, day;
        double hours;
        bool hasChange, forward;
        int fromHour, toHour;
    } cases[] = {
        {"NewYorkForward", NewYork(), 2026, 3, 8, 23, true, true, 2, 3},
        {"NewYorkBack", NewYork(), 2026, 11, 1, 25, true, false, 2, 1},
        {"NewYorkSummer", NewYork(), 2026, 7, 1, 24, false, false, 0, 0},
        {"NewYorkDayAfterBack", NewYork(), 2026, 11, 2, 24, false, false, 0, 0},
        {"SydneyBack", Sydney(), 2026, 4, 5, 25, true, false, 3, 2},
        {"SydneyForward", Sydney(), 2026, 10, 4, 23, true, true, 2, 3},
        {"SydneyWinter", Sydney(), 2026, 6, 1, 24, false, false, 0, 0},
        {"SydneySummer", Sydney(), 2026, 1, 1, 24, false, false, 0, 0},
        {"NewYorkWinterNewYear", NewYork(), 2027, 1, 1, 24, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        const LocalDay day = LocalDayOf(c.clock, DateSerial(c.year, c.month, c.day));
        EXPECT_EQ(day.end - day.start, static_cast<UnixSeconds>(c.hours * 3600)) << c.name;
        EXPECT_EQ(day.hasChange, c.hasChange) << c.name;
        EXPECT_EQ(day.summerAtStart, LocalClockAt(c.clock, day.start).summer) << c.name;
        if (c.hasChange) {
            EXPECT_EQ(day.forward, c.forward) << c.name;
            EXPECT_EQ(day.changeFromHour, c.fromHour) << c.name;
            EXPECT_EQ(day.changeToHour, c.toHour) << c.name;
        }
    }
}

TEST(LocalClockAt, ReadsTheClockInForceAtTheInstant) {
    const struct {
        const char* name;
        PlaceClock clock;
        UnixSeconds instant;
        int year, month, day, minuteOfDay;
        bool summer;
    } cases[] = {
        {"NewYorkBeforeForward", NewYork(), Utc(2026, 3, 8, 6, 59), 2026, 3, 8, 119, false},
        {"NewYorkAtForward", NewYork(), Utc(2026, 3, 8, 7, 0), 2026, 3, 8, 180, true},
        {"NewYorkFirstPassOfTheRepeatedHour", NewYork(), Utc(2026, 11, 1, 5, 30), 2026, 11, 1, 90,
         true},
        {"NewYorkSecondPass", NewYork(), Utc(2026, 11, 1, 6, 30), 2026, 11, 1, 90, false},
        {"NewYorkLastHourOfTheLongDay", NewYork(), Utc(2026, 11, 2, 4, 13), 2026, 11, 1, 1393,
         false},
        {"SydneyJanuaryIsSummer", Sydney(), Utc(2026, 1, 15, 0, 0), 2026, 1, 15, 660, true},
        {"SydneyBackAtThree", Sydney(), Utc(2026, 4, 4, 16, 0), 2026, 4, 5, 120, false},
        {"SydneyJustBefore", Sydney(), Utc(2026, 4, 4, 15, 59), 2026, 4, 5, 179, true},
    };
    for (const auto& c : cases) {
        const ClockReading reading = LocalClockAt(c.clock, c.instant);
        EXPECT_EQ(reading.date, DateSerial(c.year, c.month, c.day)) << c.name;
        EXPECT_EQ(reading.secondOfDay, c.minuteOfDay * 60) << c.name;
        EXPECT_EQ(reading.summer, c.summer) << c.name;
    }
}

TEST(InstantOfReading, TakesTheFirstOfTwoReadingsAndReadsASkippedOneOnTheOldClock) {
    const PlaceClock clock = NewYork();
    EXPECT_EQ(InstantOfReading(clock, DateSerial(2026, 11, 1), 90), Utc(2026, 11, 1, 5, 30));
    EXPECT_EQ(InstantOfReading(clock, DateSerial(2026, 11, 1), 150), Utc(2026, 11, 1, 7, 30));
    EXPECT_EQ(InstantOfReading(clock, DateSerial(2026, 3, 8), 150), Utc(2026, 3, 8, 7, 30));
    EXPECT_EQ(InstantOfReading(clock, DateSerial(2026, 3, 8), 180), Utc(2026, 3, 8, 7, 0));
}

TEST(PlaceClock, WithoutUsableRulesKeepsStandardTime) {
    const PlaceClock clock = MakePlaceClock(kNewYork.substr(0, 59), "-5", "1", "40");
    EXPECT_FALSE(clock.keepsSaving);
    EXPECT_FALSE(LocalDayOf(clock, DateSerial(2026, 3, 8)).hasChange);
    EXPECT_EQ(LocalClockAt(clock, Utc(2026, 7, 1, 12, 0)).offsetSeconds, -5 * 3600);
}

}  // namespace
}  // namespace quintrel
