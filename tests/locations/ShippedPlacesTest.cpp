#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/CivilDate.h"
#include "locations/DaylightSaving.h"
#include "locations/Encoding.h"
#include "locations/LocationFile.h"
#include "locations/LocationForm.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

const std::string kShippedFile = std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat";

LocationList ShippedRecords() {
    LocationList records = SplitLocationText(testing::ReadBytes(kShippedFile));
    EXPECT_EQ(records.back(), "") << "every line ends with CR LF";
    records.pop_back();
    return records;
}

TEST(ShippedPlaces, FileIsSortedFixedColumnRecords) {
    const LocationList records = ShippedRecords();
    EXPECT_GE(records.size(), 120u);
    EXPECT_TRUE(std::is_sorted(records.begin(), records.end()));
    EXPECT_TRUE(IsFavourite(records.front())) << "the first place shown is a favourite";
    for (const std::string& r : records) {
        SCOPED_TRACE(r);
        ASSERT_TRUE(r.size() == kRecordLengthWithoutRules || r.size() == kRecordLengthWithRules);
        EXPECT_EQ(r.find_first_of("\r\n"), std::string::npos);
        EXPECT_TRUE(r[0] == '0' || r[0] == '1');
        EXPECT_NE(r[1], ' ') << "country";
        EXPECT_NE(r[22], ' ') << "town";
        EXPECT_EQ(r[38], ' ') << "column 39";
        for (const auto sign : {LocationColumns::LatitudeSign, LocationColumns::LongitudeSign,
                                LocationColumns::ZoneSign}) {
            const auto text = ColumnText(r, sign);
            EXPECT_TRUE(text == "+" || text == "-");
        }
        EXPECT_EQ(ColumnText(r, LocationColumns::DstFlag),
                  r.size() == kRecordLengthWithRules ? "1" : "0");
    }
}

TEST(ShippedPlaces, GoldenPlacesAreThere) {
    const LocationList records = ShippedRecords();
    for (const char* golden :
         {"1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111",
          "1New Zealand          Christchurch     - 43 32+172 38+  121025109031104",
          "1Pakistan             Karachi          + 24 52+ 67  1+   50"}) {
        EXPECT_NE(std::find(records.begin(), records.end(), golden), records.end()) << golden;
    }
}

TEST(ShippedPlaces, EveryRecordParsesWithinRange) {
    for (const std::string& r : ShippedRecords()) {
        SCOPED_TRACE(r);
        PlaceValues place;
        ASSERT_NO_THROW(ParseSelectedLocation(r, place));
        EXPECT_LE(std::abs(place.PlaceLatitude), 90.0f);
        EXPECT_LE(std::abs(place.PlaceLongitude), 180.0f);
        EXPECT_LE(std::abs(place.PlaceZone), 12.0f);
        EXPECT_EQ(place.PlaceZone * 4, std::round(place.PlaceZone * 4)) << "quarter hours";
        for (const auto minutes :
             {LocationColumns::LatitudeMinutes, LocationColumns::LongitudeMinutes}) {
            EXPECT_LT(ColumnSingle(r, minutes), 60.0f);
        }
    }
}

// The record's columns are described once; the place window, the place values and the
// heading must all read every shipped record through that description alike, and the
// window must write back exactly the record it read.
TEST(ShippedPlaces, EveryReaderSeesTheSameColumns) {
    namespace col = LocationColumns;
    for (const std::string& r : ShippedRecords()) {
        SCOPED_TRACE(r);
        LocationForm form;
        form.FormSetup(r, 2);
        EXPECT_EQ(form.Text(FormBox::Country), Cp1252ToUtf8(FieldText(r, col::Country)));
        EXPECT_EQ(form.Text(FormBox::City), Cp1252ToUtf8(FieldText(r, col::Town)));
        EXPECT_EQ(form.Text(FormBox::DLatt), NumberFieldText(r, col::LatitudeDegrees));
        EXPECT_EQ(form.Text(FormBox::MLong), NumberFieldText(r, col::LongitudeMinutes));
        EXPECT_EQ(form.Text(FormBox::Zone), NumberFieldText(r, col::ZoneHours));
        EXPECT_EQ(form.LatitudeSign(), SignCharacter(r, col::LatitudeSign));
        EXPECT_EQ(form.Dst(), KeepsDaylightSaving(r));
        ASSERT_TRUE(form.CheckEntries());
        EXPECT_EQ(form.BuildLocationRecord(), r);

        PlaceValues place;
        ParseSelectedLocation(r, place);
        EXPECT_EQ(place.PlaceLatitude < 0, ColumnSign(r, col::LatitudeSign) < 0);
        PlaceDescription texts;
        DescribeLocation(r, texts);
        EXPECT_EQ(
            texts.longitudeText.rfind(std::string(NumberFieldText(r, col::LongitudeDegrees)), 0),
            0u);
    }
}

// Each rule must give one period a year of a sensible length, starting and ending on the
// day of the week it names, in the hemisphere's own order.
TEST(ShippedPlaces, EveryRuleGivesAValidPeriodFrom1990To2040) {
    int placesWithRules = 0;
    for (const std::string& r : ShippedRecords()) {
        if (r.size() != kRecordLengthWithRules) {
            continue;
        }
        SCOPED_TRACE(r);
        ++placesWithRules;
        ASSERT_TRUE(DstRulesUsable(r));
        PlaceValues place;
        ParseSelectedLocation(r, place);
        const bool north = place.PlaceLatitude > 0;
        for (std::int16_t year = 1990; year <= 2040; ++year) {
            const DaySerial start = DstStartDate(r, year);
            const DaySerial end =
                north ? DstEndDate(r, year) : DstEndDate(r, static_cast<std::int16_t>(year + 1));
            EXPECT_EQ(DateFromSerial(start).year, year);
            EXPECT_GE(end - start, 150) << year;
            EXPECT_LE(end - start, 240) << year;
            EXPECT_EQ(WeekdayOf(start), r[62] - '0');
            EXPECT_EQ(WeekdayOf(end), r[68] - '0');

            const auto zone = std::string(ColumnText(r, LocationColumns::ZoneHours));
            const auto raised = ApplyDaylightSaving(r, zone, "1", north ? "1" : "-1", start);
            EXPECT_TRUE(raised.isStartDay);
            EXPECT_NE(raised.zoneText, zone);
            const auto after = ApplyDaylightSaving(r, zone, "1", north ? "1" : "-1", end + 1);
            EXPECT_EQ(after.zoneText, zone);
        }
    }
    EXPECT_GT(placesWithRules, 20);
}

}  // namespace
}  // namespace quintrel
