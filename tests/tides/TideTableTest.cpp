// The tide table's lines: a day's tides beside the month table's rating and times.
#include <gtest/gtest.h>

#include "astro/CivilDate.h"
#include "tides/TideTable.h"

namespace quintrel::tides {
namespace {

PlaceTideEvent Event(int day, int minute, double height, bool isHigh) {
    PlaceTideEvent event;
    event.date = DateSerial(2027, 1, day);
    event.minuteOfDay = minute;
    event.height = height;
    event.isHigh = isHigh;
    return event;
}

DayRow Row(int day, const char* name, const char* maj2, const char* min1) {
    DayRow row;
    row.Day = static_cast<std::int16_t>(day);
    row.DayName = name;
    row.Maj1 = "04:10";
    row.Maj2 = maj2;
    row.Min1 = min1;
    row.Min2 = "22:05";
    row.Rating = "Good";
    row.Stars = "***";
    return row;
}

TEST(TideTableLines, EachDayGetsAllItsOwnTidesAndTheTableTimes) {
    MonthTable table;
    table.Month = 1;
    table.Year = 2027;
    table.rows = {Row(1, "Friday", "16:33", ":"), Row(2, "Saturday", ":", "10:00"),
                  Row(3, "Sunday", "17:00", "11:00")};
    // Day 1: none (a stray event of the month before is skipped); day 2: five (a day
    // may have more than four, and then every one of them shows); day 3: one negative low.
    const std::vector<PlaceTideEvent> events = {
        {DateSerial(2026, 12, 31), 600, 0, 1.0, true},
        Event(2, 5, 3.456, true),
        Event(2, 360, -0.004, false),
        Event(2, 720, 2.5, true),
        Event(2, 1080, 0.5, false),
        Event(2, 1439, 2.0, true),
        Event(3, 61, -0.25, false),
    };
    const std::vector<TideTableLine> lines = TideTableLines(table, events);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].dayText, "Fri 1");
    EXPECT_TRUE(lines[0].tides.empty());
    EXPECT_EQ(lines[0].majors, "04:10 16:33");
    EXPECT_EQ(lines[0].minors, "22:05");
    EXPECT_EQ(lines[0].rating, "Good ***");
    const std::vector<std::string> second = {"00:05 3.46 High", "06:00 0.00 Low", "12:00 2.50 High",
                                             "18:00 0.50 Low", "23:59 2.00 High"};
    EXPECT_EQ(lines[1].tides, second);
    EXPECT_EQ(lines[1].majors, "04:10");
    EXPECT_EQ(lines[1].minors, "10:00 22:05");
    EXPECT_EQ(lines[2].tides, std::vector<std::string>{"01:01 -0.25 Low"});
}

TEST(TideTableTexts, TitleOfferAndNoStation) {
    NearbyStation near;
    near.station.name = "Seattle, Puget Sound, Washington";
    near.station.id = "9447130";
    near.distanceKm = 3.24;
    near.bearingDeg = 300;
    EXPECT_EQ(StationOfferText(near), "Seattle, Puget Sound, Washington (9447130), 3.2 km WNW");
    EXPECT_EQ(TideTableTitle("USA - Washington (Seattle)", 1, 2027),
              "Tide Table For USA - Washington (Seattle), January 2027");
    EXPECT_EQ(NoStationText("X"), "No tide station within 100 km of X; no tides are shown");
    EXPECT_EQ(MonthDates(2, 2028), std::make_pair(DateSerial(2028, 2, 1), DateSerial(2028, 2, 29)));
}

}  // namespace
}  // namespace quintrel::tides
