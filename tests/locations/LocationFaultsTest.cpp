// The place file under conditions a user's machine can produce: a folder where the file
// should be, a file far longer than the list can hold, a 1 MB line, and every byte value
// but the line ends in the names. Each either loads and saves back byte for byte, or is refused
// with a message that names the file, leaving both files as they were.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "locations/LocationFile.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::ReadBytes;
using testing::Record;
using testing::ScratchDirectory;
using testing::WriteBytes;

constexpr std::string_view kParisTail = "+ 48 51+  2 21+   11025103035110";

std::size_t EntriesIn(const std::string& directory) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(directory),
                                                  std::filesystem::directory_iterator()));
}

// `count` distinct valid records, already in sorted order, each followed by CR LF.
std::string ManyPlaces(std::size_t count) {
    std::string text;
    text.reserve(count * 73);
    for (std::size_t i = 0; i < count; ++i) {
        text += Record("1", "Country " + std::to_string(1000000 + i), "Town", kParisTail);
        text += "\r\n";
    }
    return text;
}

// `count` distinct short lines, each followed by CR LF.
std::string ShortLines(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += "1" + std::to_string(i) + "\r\n";
    }
    return text;
}

// Loads, expecting a CoreError; returns its message.
std::string LoadError(const std::string& directory, LocationState& state) {
    try {
        LoadLocations(directory, state);
    } catch (const CoreError& error) {
        return error.what();
    }
    ADD_FAILURE() << "the load did not refuse";
    return {};
}

TEST(LocationFaults, FolderNamedLocsDatIsReportedAndNothingIsTouched) {
    for (const bool withBackup : {false, true}) {
        SCOPED_TRACE(withBackup ? "with locs.bak" : "without locs.bak");
        ScratchDirectory dir;
        std::filesystem::create_directory(dir.file("locs.dat"));
        WriteBytes(dir.file("locs.dat/inside"), "kept");
        const std::string backup = Record("1", "Peru", "Lima", "- 12  3- 77  2-   50") + "\r\n";
        if (withBackup) {
            WriteBytes(dir.file("locs.bak"), backup);
        }
        LocationState state;
        state.Locations = {"kept"};
        const std::string message = LoadError(dir.path(), state);
        EXPECT_NE(message.find(dir.file("locs.dat")), std::string::npos) << message;
        EXPECT_NE(message.find("folder"), std::string::npos) << message;
        EXPECT_EQ(state.Locations, (LocationList{"kept"}));
        EXPECT_TRUE(std::filesystem::is_directory(dir.file("locs.dat")));
        EXPECT_EQ(ReadBytes(dir.file("locs.dat/inside")), "kept");
        EXPECT_EQ(EntriesIn(dir.path()), withBackup ? 2u : 1u) << "no temporary file is left";
        if (withBackup) {
            EXPECT_EQ(ReadBytes(dir.file("locs.bak")), backup);
        }
    }
}

TEST(LocationFaults, PipeNamedLocsDatIsRefusedWithoutWaiting) {
    ScratchDirectory dir;
    ASSERT_EQ(::mkfifo(dir.file("locs.dat").c_str(), 0644), 0);
    LocationState state;
    // Before, the start-up hung here waiting for something to write into the pipe.
    const std::string message = LoadError(dir.path(), state);
    EXPECT_NE(message.find(dir.file("locs.dat")), std::string::npos) << message;
    EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
}

// Positions are 16-bit, so a longer list is refused whole: cutting it to fit would write
// the shortened list back at close-down and lose the rest.
TEST(LocationFaults, OversizedFilesAreRefusedBeforeReadingAndTheFileKept) {
    const struct {
        const char* name;
        std::string text;
        const char* said;
    } cases[] = {
        // Too large for any list: refused by its size, before a byte is read.
        {"100,000 places", ManyPlaces(100000), "7300000 bytes"},
        {"one 10 MB line", std::string(10 * 1024 * 1024, 'x'), "10485760 bytes"},
        // Small enough to read, but more places than positions.
        {"32,768 short places", ShortLines(kMaxLocations + 1), "32768 places"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const std::string& text = c.text;
        WriteBytes(dir.file("locs.dat"), text);
        LocationState state;
        const auto start = std::chrono::steady_clock::now();
        const std::string message = LoadError(dir.path(), state);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_NE(message.find(dir.file("locs.dat")), std::string::npos) << message;
        EXPECT_NE(message.find(c.said), std::string::npos) << message;
        EXPECT_NE(message.find("32767"), std::string::npos) << message;
        EXPECT_TRUE(state.Locations.empty());
        EXPECT_FALSE(state.LocationsChanged);
        SaveLocations(dir.path(), state);  // what close-down would do: nothing, as unchanged
        EXPECT_TRUE(ReadWholeFile(dir.file("locs.dat")) == text);
        EXPECT_EQ(EntriesIn(dir.path()), 1u);
    }
}

TEST(LocationFaults, AFullListLoadsAndTakesNoMorePlaces) {
    ScratchDirectory dir;
    // Blank lines do not count: only places take positions.
    const std::string text = ManyPlaces(kMaxLocations) + "\r\n\r\n";
    WriteBytes(dir.file("locs.dat"), text);
    LocationState state;
    ASSERT_TRUE(LoadLocations(dir.path(), state));
    ASSERT_EQ(state.Locations.size(), kMaxLocations);

    const std::string extra = Record("0", "Aaa", "New", kParisTail);
    EXPECT_FALSE(StoreLocation(state, true, extra, true, 0));
    EXPECT_EQ(state.Locations.size(), kMaxLocations);
    // Editing a place of a full list still works, and the last position is reachable.
    EXPECT_TRUE(StoreLocation(state, true, extra, false, kMaxLocations - 1));
    EXPECT_EQ(state.Locations.front(), extra);
    EXPECT_EQ(state.LocationIndex, 0);
    SaveLocations(dir.path(), state);
    EXPECT_TRUE(ReadWholeFile(dir.file("locs.bak")) == text);
}

TEST(LocationFaults, OneMegabyteLineLoadsAndIsWrittenBackUnchanged) {
    const std::string huge(1024 * 1024, 'x');
    const std::string lima = Record("1", "Peru", "Lima", "- 12  3- 77  2-   50");
    const struct {
        const char* name;
        std::string record;
    } cases[] = {
        {"one line of junk", huge},
        {"a place with 1 MB after its rules", Record("1", "France", "Paris", kParisTail) + huge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const std::string text = c.record + "\r\n" + lima + "\r\n";
        WriteBytes(dir.file("locs.dat"), text);
        LocationState state;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(LoadLocations(dir.path(), state));
        ASSERT_EQ(state.Locations.size(), 2u);
        // Whatever the line holds, reading it as a place gives values or a CoreError.
        for (const std::string& record : state.Locations) {
            PlaceValues place;
            PlaceDescription texts;
            try {
                ParseSelectedLocation(record, place);
                DescribeLocation(record, texts);
            } catch (const CoreError&) {
            }
            EXPECT_LT(LocationDisplayText(record).size(), 64u);
        }
        SaveLocations(dir.path(), state);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        // Saved in sorted order: "1Peru..." comes before a line of "x".
        const std::string sorted =
            std::min(c.record, lima) + "\r\n" + std::max(c.record, lima) + "\r\n";
        EXPECT_TRUE(sorted.size() == text.size() && ReadWholeFile(dir.file("locs.dat")) == sorted);
        EXPECT_TRUE(ReadWholeFile(dir.file("locs.bak")) == text);
    }
}

// Seven records whose country and town fields between them hold every byte value once, in
// rising order, except LF and CR, which end a line wherever they are (blanks stand in).
LocationList EveryByteRecords() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes += value == '\n' || value == '\r' ? ' ' : static_cast<char>(value);
    }
    LocationList records;
    for (std::size_t at = 0; at < bytes.size(); at += kCountryWidth + kTownWidth) {
        const std::string country = bytes.substr(at, kCountryWidth);
        const std::string town =
            at + kCountryWidth < bytes.size() ? bytes.substr(at + kCountryWidth, kTownWidth) : "";
        records.push_back(Record("1", country, town, kParisTail));
    }
    return records;
}

TEST(LocationFaults, EveryByteInNamesLoadsDescribesAndSavesByteForByte) {
    const LocationList records = EveryByteRecords();
    ASSERT_EQ(records.size(), 7u);
    std::string text;
    for (const std::string& record : records) {
        ASSERT_EQ(record.size(), kRecordLengthWithRules);
        text += record + "\r\n";
    }
    ScratchDirectory dir;
    WriteBytes(dir.file("locs.dat"), text);
    LocationState state;
    ASSERT_TRUE(LoadLocations(dir.path(), state));
    EXPECT_EQ(state.Locations, records);

    for (const std::string& record : state.Locations) {
        PlaceValues place;
        ParseSelectedLocation(record, place);
        EXPECT_FLOAT_EQ(place.PlaceLatitude, 48.85f);
        EXPECT_EQ(place.PlaceZone, 1.0f);
        EXPECT_EQ(place.PlaceDstFlag, "1");
        PlaceDescription texts;
        DescribeLocation(record, texts);
        EXPECT_EQ(texts.zoneText, "GMT +1 hours");
        // The names reach the screen as the characters their bytes stand for.
        const std::string shown = LocationDisplayText(record);
        EXPECT_EQ(shown.substr(0, FieldText(record, LocationColumns::Country).size()),
                  FieldText(record, LocationColumns::Country));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(shown)), shown);
    }
    SaveLocations(dir.path(), state);
    EXPECT_TRUE(ReadBytes(dir.file("locs.dat")) == text);
    EXPECT_TRUE(ReadBytes(dir.file("locs.bak")) == text);
}

}  // namespace
}  // namespace quintrel
