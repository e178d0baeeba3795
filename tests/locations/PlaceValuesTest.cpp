#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "astro/CoreError.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::Record;

struct ParseCase {
    const char* name;
    std::string record;
    float latitude;
    float longitude;
    float zone;
    const char* dstFlag;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class ParseSelectedLocationTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSelectedLocationTest, FillsThePlaceValues) {
    const ParseCase& c = GetParam();
    PlaceValues place;
    place.PlaceDstFlag = "stale";
    ParseSelectedLocation(c.record, place);
    EXPECT_EQ(place.PlaceLatitude, c.latitude);
    EXPECT_EQ(place.PlaceLongitude, c.longitude);
    EXPECT_EQ(place.PlaceZone, c.zone);
    EXPECT_EQ(place.PlaceDstFlag, c.dstFlag);
}

// Degrees + minutes / 60 summed in 32-bit floats, so the expected values are written
// the same way.
INSTANTIATE_TEST_SUITE_P(
    Records, ParseSelectedLocationTest,
    ::testing::Values(
        ParseCase{"SouthEastWithoutRules",
                  Record("0", "Australia - NSW", "Sydney", "- 33 52+151 13+  100"),
                  -(33.0f + 52.0f / 60.0f), 151.0f + 13.0f / 60.0f, 10.0f, "0"},
        ParseCase{"NorthWestWithRules",
                  Record("1", "USA - Massachusetts", "Boston", "+ 42 21- 71  4-   51022103021111"),
                  42.0f + 21.0f / 60.0f, -(71.0f + 4.0f / 60.0f), -5.0f, "1"},
        ParseCase{"HalfDegreeIsThirtyMinutes",
                  Record("1", "Somewhere", "South", "- 33 30+ 10  0+   10"), -33.5f, 10.0f, 1.0f,
                  "0"},
        ParseCase{
            "FractionalZone",
            Record("1", "Canada - Newfoundland", "St. John's", "+ 47 34- 52 43- 3.51022103021111"),
            47.0f + 34.0f / 60.0f, -(52.0f + 43.0f / 60.0f), -3.5f, "1"},
        ParseCase{"BlankSignsCountAsPlus", Record("1", "Old", "Record", "  10  5  20  0    30"),
                  10.0f + 5.0f / 60.0f, 20.0f, 3.0f, "0"},
        // The older short form stops after the longitude: its zone comes from there.
        ParseCase{"ShortRecordZoneFromLongitude", Record("1", "Old", "Short", "- 33 52+150  0"),
                  -(33.0f + 52.0f / 60.0f), 150.0f, -9.5f, ""},
        ParseCase{"FlagWithoutRules", Record("1", "Some", "Where", "+  1  0+  1  0+   01"), 1.0f,
                  1.0f, 0.0f, "1"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ParseSelectedLocation, EmptyRecordZeroesValuesAndKeepsTheFlag) {
    PlaceValues place{1, 2, 3, "1"};
    ParseSelectedLocation("", place);
    EXPECT_EQ(place.PlaceLatitude, 0.0f);
    EXPECT_EQ(place.PlaceLongitude, 0.0f);
    EXPECT_EQ(place.PlaceZone, 0.0f);
    EXPECT_EQ(place.PlaceDstFlag, "1");
}

TEST(ParseSelectedLocation, DamagedNumberColumnThrowsNamingTheRecord) {
    const std::string record = Record("1", "Broken", "Place", "+ 4x 21- 71  4-   50");
    PlaceValues place{1, 2, 3, "1"};
    try {
        ParseSelectedLocation(record, place);
        FAIL() << "no error";
    } catch (const CoreError& error) {
        EXPECT_NE(std::string(error.what()).find(record), std::string::npos) << error.what();
    }
    EXPECT_EQ(place.PlaceLatitude, 0.0f);
}

TEST(ParseSelectedLocation, RecordTooShortForALongitudeThrows) {
    PlaceValues place;
    EXPECT_THROW(ParseSelectedLocation(Record("1", "Old", "Short", "- 33 52"), place), CoreError);
}

TEST(LocationDisplayText, CountryThenTownInParentheses) {
    EXPECT_EQ(LocationDisplayText(Record("1", "France", "Paris", "+ 48 51+  2 21+   10")),
              "France (Paris)");
    // 21 and 16 characters fill their columns exactly.
    EXPECT_EQ(LocationDisplayText(
                  Record("1", "Canada - Saskatchewan", "Fernando Noronha", "+ 48 51+  2 21+   10")),
              "Canada - Saskatchewan (Fernando Noronha)");
    EXPECT_EQ(LocationDisplayText(Record("1", "Denmark",
                                         "K\xF8"
                                         "benhavn",
                                         "")),
              "Denmark (K\xF8"
              "benhavn)");
}

TEST(DescribeLocation, HeadingTextsUseTheCodePageMarks) {
    PlaceDescription texts;
    DescribeLocation(Record("0", "Australia - NSW", "Sydney", "- 33 52+151 13+  100"), texts);
    EXPECT_EQ(texts.latitudeText, "33\xBA  52\xB4 South");
    EXPECT_EQ(texts.longitudeText, "151\xBA  13\xB4 East");
    EXPECT_EQ(texts.zoneText, "GMT +10 hours");

    const PlaceDescription utf8 = DescriptionToUtf8(texts);
    EXPECT_EQ(utf8.latitudeText, "33\u00BA  52\u00B4 South");
    EXPECT_EQ(utf8.zoneText, "GMT +10 hours");
}

TEST(DescribeLocation, SmallDegreesWestAndFractionalZone) {
    PlaceDescription texts;
    DescribeLocation(
        Record("1", "Canada - Newfoundland", "St. John's", "+  5  4- 52 43- 3.51022103021111"),
        texts);
    EXPECT_EQ(texts.latitudeText, "5\xBA   4\xB4 North");
    EXPECT_EQ(texts.longitudeText, "52\xBA  43\xB4 West");
    EXPECT_EQ(texts.zoneText, "GMT -3.5 hours");
}

TEST(DescribeLocation, ShortRecordGetsARoundedSignedZone) {
    PlaceDescription texts;
    DescribeLocation(Record("1", "Old", "East", "- 33 52+150  0"), texts);
    EXPECT_EQ(texts.zoneText, "GMT -10 hours");  // -9.5 rounds half to even
    DescribeLocation(Record("1", "Old", "West", "+ 10  0- 60  0"), texts);
    EXPECT_EQ(texts.zoneText, "GMT +4 hours");  // -(-60 - 7.5) / 15 = 4.5
}

TEST(DescribeLocation, EmptyRecordLeavesTheTexts) {
    PlaceDescription texts{"a", "b", "c"};
    DescribeLocation("", texts);
    EXPECT_EQ(texts.latitudeText, "a");
    EXPECT_EQ(texts.longitudeText, "b");
    EXPECT_EQ(texts.zoneText, "c");
}

}  // namespace
}  // namespace quintrel
