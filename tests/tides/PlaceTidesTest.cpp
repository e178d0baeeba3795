// Tides on a place's clock, and the texts that show them.
#include <gtest/gtest.h>

#include "astro/CoreError.h"
#include "locations/PlaceValues.h"
#include "tides/PlaceTides.h"
#include "tides/TideFiles.h"
#include "tides/TideTexts.h"

namespace quintrel::tides {
namespace {

const std::string kSeattle =
    "1USA - Washington     Seattle          + 47 36-122 20-   81022103021111";
const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";

PlaceTexts Place(const std::string& record) {
    PlaceValues values;
    ParseSelectedLocation(record, values);
    return MakePlaceTexts(values, record);
}

std::string ClockText(const PlaceClockTime& clock) {
    const CivilDate date = DateFromSerial(clock.date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
                  date.day, clock.secondsOfDay / 3600, clock.secondsOfDay / 60 % 60,
                  clock.secondsOfDay % 60);
    return text;
}

TEST(UtcToPlaceClock, ClocksChangeWhenTheRealOnesDo) {
    // Expected: America/Los_Angeles and Australia/Sydney in the time-zone database.
    struct Case {
        const std::string* record;
        UtcSeconds utc;
        const char* clock;
    };
    const Case cases[] = {
        {&kSeattle, 1704067200, "2023-12-31 16:00:00"},  // winter
        {&kSeattle, 1719835200, "2024-07-01 05:00:00"},  // summer
        {&kSeattle, 1710064799, "2024-03-10 01:59:59"},  // the last second of PST
        {&kSeattle, 1710064800, "2024-03-10 03:00:00"},  // the first of PDT
        {&kSeattle, 1730624399, "2024-11-03 01:59:59"},  // the last second of PDT
        {&kSeattle, 1730624400, "2024-11-03 01:00:00"},  // back to PST
        {&kSydney, 1712419199, "2024-04-07 02:59:59"},   // the last second of AEDT
        {&kSydney, 1712419200, "2024-04-07 02:00:00"},   // back to AEST
        {&kSydney, 1728143999, "2024-10-06 01:59:59"},   // the last second of AEST
        {&kSydney, 1728144000, "2024-10-06 03:00:00"},   // AEDT
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClockText(UtcToPlaceClock(Place(*c.record), c.utc)), c.clock) << c.utc;
    }
}

TEST(PlaceTides, AMonthOfSeattleOnItsClockToTheMinute) {
    const std::shared_ptr<TideDatabase> database =
        TideDatabase::Open({std::string(kXtideDataFile)});
    const PlaceTexts seattle = Place(kSeattle);
    const TideStation station = database->Nearby(47.6, -122.333).front().station;
    const DaySerial first = DateSerial(2024, 3, 1);
    const DaySerial last = DateSerial(2024, 3, 31);
    const std::vector<PlaceTideEvent> events = PlaceTides(*database, station, seattle, first, last);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().date, first);
    EXPECT_EQ(events.back().date, last);
    for (const PlaceTideEvent& event : events) {
        const PlaceClockTime clock = UtcToPlaceClock(seattle, event.utc);
        const int rounded = (clock.secondsOfDay + 30) / 60;
        EXPECT_EQ(event.date, clock.date + rounded / 1440);
        EXPECT_EQ(event.minuteOfDay, rounded % 1440);
    }
    // The first day once more, in metres.
    const std::vector<PlaceTideEvent> metres =
        PlaceTides(*database, station, seattle, first, first, LevelUnits::Meters);
    ASSERT_FALSE(metres.empty());
    EXPECT_NEAR(metres[0].height, events[0].height * 0.3048, 1e-9);
}

TEST(PlaceTides, YearsOutsideTheTablesShowNothingAndSaySo) {
    const std::shared_ptr<TideDatabase> database =
        TideDatabase::Open({std::string(kXtideDataFile)});
    const TideStation station = database->Nearby(47.6, -122.333).front().station;
    for (const int year : {1699, 2101}) {
        try {
            PlaceTides(*database, station, Place(kSeattle), DateSerial(year, 1, 1),
                       DateSerial(year, 1, 31));
            ADD_FAILURE() << year << " was predicted";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find("cover 1700 to 2100"), std::string::npos)
                << error.what();
        }
    }
}

TEST(TideTexts, HeightsStationLinesAndCsv) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {-0.004, 2, "0.00"},      {-1.236, 2, "-1.24"},         {12.0, 2, "12.00"},
        {47.60261, 4, "47.6026"}, {-122.33928, 4, "-122.3393"}, {99.96, 1, "100.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FixedText(c.value, c.decimals), c.text) << c.value;
    }
    NearbyStation near;
    near.station.id = "9447130";
    near.station.name = "Seattle, Puget Sound, Washington";
    near.station.latitudeDeg = 47.60261;
    near.station.longitudeDeg = -122.33928;
    near.station.datum = "Mean Lower Low Water";
    near.distanceKm = 0.54;
    near.bearingDeg = 290;
    EXPECT_EQ(StationLine(near),
              "0.5\t9447130\tSeattle, Puget Sound, Washington\t47.6026\t-122.3393");
    const TideHeading heading = HeadingFor(near, LevelUnits::Meters);
    const std::vector<PlaceTideEvent> events = {
        {DateSerial(2024, 1, 1), 95, 0, 0.2012, false},
        {DateSerial(2024, 1, 1), 537, 0, 3.6449, true},
        {DateSerial(2024, 1, 2), 0, 0, -0.45, false},
    };
    EXPECT_EQ(TideCsvText(heading, events),
              "Tides at Seattle, Puget Sound, Washington (9447130), 0.5 km WNW of the place; "
              "heights in metres above Mean Lower Low Water; Not for navigation\r\n"
              "Date,Time,Height,Tide\r\n"
              "20240101,01:35,0.20,Low\r\n"
              "20240101,08:57,3.64,High\r\n"
              "20240102,00:00,-0.45,Low\r\n");
}

}  // namespace
}  // namespace quintrel::tides
