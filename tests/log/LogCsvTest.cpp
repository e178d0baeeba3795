#include "log/LogCsv.h"

#include <gtest/gtest.h>

#include "log/LogDatabase.h"
#include "tests/log/ScratchFolder.h"
#include "tests/table/TablePlaces.h"

namespace quintrel::logbook {
namespace {

LogOpenOptions NoBackup() {
    LogOpenOptions options;
    options.dailyBackup = false;
    return options;
}

using quintrel::testing::kBoston;
using quintrel::testing::kPhiladelphia;

std::string ResolveTestPlace(std::string_view text) {
    if (text == "Boston") {
        return kBoston;
    }
    if (text == "Philadelphia") {
        return kPhiladelphia;
    }
    throw CoreError("No place matches \"" + std::string(text) + "\"");
}

TEST(LogCsv, CatchesOfOnePlaceAndDateFormOneOutingWithoutOutingColumns) {
    const LogImport parsed = ParseLogCsv(
        "\xEF\xBB\xBF"
        "Date,Time,Place,Species,Count,Weight\r\n"
        "2025-06-01,06:10,Boston,Pike,,2.5\r\n"
        "2025-06-01,07:40,Philadelphia,Perch,3,\r\n"
        "\r\n"
        "2025-06-01,08:00,Boston,\"Perch, yellow\",2,\n"
        "2025-06-02,08:00,Boston,Pike,1,",
        ResolveTestPlace);
    ASSERT_EQ(parsed.outings.size(), 3u);
    EXPECT_EQ(parsed.catchEntries, 4);
    EXPECT_EQ(parsed.outings[0].outing.record, kBoston);
    ASSERT_EQ(parsed.outings[0].catches.size(), 2u);
    EXPECT_EQ(parsed.outings[0].catches[0].count, 1);
    EXPECT_EQ(parsed.outings[0].catches[0].weightKg, 2.5);
    EXPECT_EQ(parsed.outings[0].catches[1].species, "Perch, yellow");
    EXPECT_EQ(parsed.outings[1].outing.record, kPhiladelphia);
    EXPECT_EQ(parsed.outings[1].catches[0].count, 3);
}

TEST(LogCsv, ExportImportExportGivesTheSameFile) {
    quintrel::testing::ScratchFolder folder;
    LogDatabase first = LogDatabase::Open(folder / "first.sqlite", NoBackup());
    OutingEntries full;
    full.outing = {
        0, "2025-06-01", "22:30", "02:00", kBoston, OutingKind::Hunting, "Moon \"bright\",\nclear"};
    Catch deer;
    deer.species = " Roe deer ";
    deer.time = "01:15";
    deer.count = 2;
    deer.lengthCm = 0.1 + 0.2;
    deer.weightKg = 31;
    deer.released = true;
    deer.method = "stalking";
    deer.latitude = 42.35;
    deer.longitude = -71.0675;
    deer.photo = "deer 1.jpg";
    deer.notes = "line one\r\nline two";
    full.catches = {deer, deer};
    full.catches[1].time = "23:05";
    OutingEntries empty;
    empty.outing = {0, "2025-06-01", "", "", kPhiladelphia, OutingKind::Fishing, ""};
    first.AddEntries(std::vector<OutingEntries>{full, empty});
    const std::string exported = LogCsvText(first.Entries());

    LogDatabase second = LogDatabase::Open(folder / "second.sqlite", NoBackup());
    const LogImport parsed = ParseLogCsv(exported, ResolveTestPlace);
    EXPECT_EQ(parsed.catchEntries, 2);
    second.AddEntries(parsed.outings);
    EXPECT_EQ(LogCsvText(second.Entries()), exported);
    // The heading lists every column, and the outing without catches has Count 0.
    EXPECT_TRUE(
        exported.starts_with("Date,Time,Place,Species,Count,Length,Weight,Released,"
                             "Method,Notes,Latitude,Longitude,Photo,Record,Start,End,"
                             "Kind,Outing notes\r\n"));
    EXPECT_NE(exported.find("2025-06-01,,USA - Pennsylvania (Philadelphia),,0,"),
              std::string::npos);
}

TEST(LogCsv, TheFirstBadLineIsNamedWithItsColumn) {
    const std::string heading = "Date,Time,Place,Species,Count,Length,Latitude,Longitude,Photo\n";
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"unknown column", "Date,Time,Place,Species,Colour\n", "line 1, column 5: unknown column"},
        {"no species column", "Date,Time,Place\n", "line 1, column 4: the heading has no Species"},
        {"no place column", "Date,Time,Species\n", "line 1, column 4: the heading has neither"},
        {"bad date", heading + "2025-02-30,06:00,Boston,Pike,1,,,,\n", "line 2, column 1:"},
        {"bad time", heading + "2025-02-03,6:00,Boston,Pike,1,,,,\n", "line 2, column 2:"},
        {"unknown place", heading + "2025-02-03,06:00,Oslo,Pike,1,,,,\n",
         "line 2, column 3: No place matches \"Oslo\""},
        {"count zero", heading + "2025-02-03,06:00,Boston,Pike,0,,,,\n", "line 2, column 5:"},
        {"count text", heading + "2025-02-03,06:00,Boston,Pike,two,,,,\n", "line 2, column 5:"},
        {"decimal comma", heading + "2025-02-03,06:00,Boston,Pike,1,\"12,5\",,,\n",
         "line 2, column 6:"},
        {"negative length", heading + "2025-02-03,06:00,Boston,Pike,1,-3,,,\n",
         "line 2, column 6:"},
        {"latitude alone", heading + "2025-02-03,06:00,Boston,Pike,1,,45,,\n",
         "line 2, column 8: the spot needs both"},
        {"latitude too far", heading + "2025-02-03,06:00,Boston,Pike,1,,95,3,\n",
         "line 2, column 7:"},
        {"photo with folder", heading + "2025-02-03,06:00,Boston,Pike,1,,,,../x.jpg\n",
         "line 2, column 9:"},
        {"too few fields", heading + "2025-02-03,06:00,Boston\n", "line 2, column 4:"},
        {"counted past a quoted line end",
         heading + "2025-02-03,06:00,Boston,\"Pike\nbig\",1,,,,\n2025-02-03,06:00,Boston,,3,,,,\n",
         "line 4, column 4: the species is empty"},
        {"open quote", heading + "2025-02-03,06:00,Boston,\"Pike,1,,,,\n", "line 2, column 4:"},
        {"bad record", "Date,Time,Record,Species\n2025-02-03,06:00,0Nowhere,Pike\n",
         "line 2, column 3:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ParseLogCsv(c.text, ResolveTestPlace);
            ADD_FAILURE() << "accepted";
        } catch (const LogCsvError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.message)) << error.what();
        }
    }
}

}  // namespace
}  // namespace quintrel::logbook
