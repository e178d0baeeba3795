// The shipped xtide-data harmonics read through libtcd: the stations near a place, the
// highs and lows against an independent predictor, subordinate stations, and files that
// are refused without taking the program down.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "astro/CoreError.h"
#include "tides/TcdReader.h"
#include "tides/TideFiles.h"
#include "tides/TidePredictor.h"

namespace quintrel::tides {
namespace {

const std::string kXtide(kXtideDataFile);

const TideDatabase& Xtide() {
    static const std::shared_ptr<TideDatabase> database = TideDatabase::Open({kXtide});
    return *database;
}

TideStation StationWithId(const std::string& id) {
    const std::vector<TideStation> found = Xtide().Find(id);
    if (found.size() != 1) {
        throw CoreError("no single station " + id);
    }
    return found.front();
}

TEST(TideDatabase, SeattleOffersTenTideStationsNearestFirstWithinTheRadius) {
    ASSERT_TRUE(Xtide().Problems().empty());
    const std::vector<NearbyStation> nearby = Xtide().Nearby(47.6, -122.333);
    ASSERT_EQ(nearby.size(), kMostStationsOffered);
    EXPECT_EQ(nearby.front().station.id, "9447130");
    EXPECT_LT(nearby.front().distanceKm, 1.0);
    EXPECT_EQ(nearby.front().station.datum, "Mean Lower Low Water");
    for (std::size_t i = 1; i < nearby.size(); ++i) {
        EXPECT_LE(nearby[i - 1].distanceKm, nearby[i].distanceKm);
        EXPECT_LE(nearby[i].distanceKm, kStationRadiusKm);
    }
    // A kept choice wins while it is offered; otherwise the nearest.
    EXPECT_EQ(PickStation(nearby, "9445753")->station.id, "9445753");
    EXPECT_EQ(PickStation(nearby, "8665530")->station.id, "9447130");
    EXPECT_EQ(PickStation(nearby, "")->station.id, "9447130");
    EXPECT_FALSE(PickStation({}, "9447130").has_value());
    // A radius just short of the third station keeps only the first two.
    EXPECT_EQ(Xtide().Nearby(47.6, -122.333, 10, nearby[2].distanceKm - 0.01).size(), 2u);
}

TEST(TideDatabase, CurrentsAreNotOfferedAndInlandPlacesGetNothing) {
    // Charleston harbour holds many current stations among its tide stations.
    for (const NearbyStation& nearby : Xtide().Nearby(32.78, -79.93, 50)) {
        EXPECT_EQ(nearby.station.name.find("Current"), std::string::npos) << nearby.station.name;
    }
    EXPECT_TRUE(Xtide().Nearby(47.66, -117.43).empty());  // Spokane, 300 km inland
}

TEST(TideDatabase, FindTakesAnIdExactlyOrPartOfANameIgnoringCase) {
    EXPECT_EQ(StationWithId("9447130").name, "Seattle, Puget Sound, Washington");
    EXPECT_EQ(Xtide().Find("SEATTLE, PUGET").size(), 1u);
    EXPECT_GT(Xtide().Find("puget sound").size(), 10u);
    EXPECT_TRUE(Xtide().Find("no such harbour").empty());
    EXPECT_TRUE(Xtide().Find("").empty());
}

TEST(TideDatabase, SeattleAgreesWithAnIndependentPredictor) {
    // @neaps/tide-predictor on NOAA's published constants for 9447130 (MSL above MLLW
    // added). The constants differ slightly from xtide-data's 2019 set, and a few minor
    // constituents are defined differently, hence minutes rather than seconds.
    struct Case {
        UtcSeconds utc;
        double metres;
        bool isHigh;
    };
    const Case cases[] = {
        {1705285130, 3.157, true},    // 2024-01-15 02:18:50
        {1705309666, -0.442, false},  // 2024-01-15 09:07:46
        {1705335498, 3.949, true},    // 2024-01-15 16:18:18
        {1717993253, 3.646, true},    // 2024-06-10 04:20:53
        {1718013993, 2.233, false},   // 2024-06-10 10:06:33
        {1718028572, 2.752, true},    // 2024-06-10 14:09:32
        {1718053900, -0.437, false},  // 2024-06-10 21:11:40
    };
    const TideStation seattle = StationWithId("9447130");
    for (const Case& c : cases) {
        const std::vector<TideExtreme> found =
            Xtide().Extremes(seattle, c.utc - 3600, c.utc + 3600, LevelUnits::Meters);
        ASSERT_EQ(found.size(), 1u) << c.utc;
        EXPECT_EQ(found[0].isHigh, c.isHigh) << c.utc;
        EXPECT_LE(std::abs(found[0].utc - c.utc), 4 * 60) << c.utc;
        EXPECT_NEAR(found[0].height, c.metres, 0.05) << c.utc;
    }
}

TEST(TideDatabase, ReferenceExtremesAreTurningPointsOfTheHarmonicSum) {
    const TideStation seattle = StationWithId("9447130");
    const UtcSeconds from = 1704067200;  // 2024-01-01
    const std::vector<TideExtreme> month = Xtide().Extremes(seattle, from, from + 31 * 86400);
    EXPECT_GE(month.size(), 31u * 3);
    EXPECT_LE(month.size(), 31u * 4);
    const std::vector<double> around = [&] {
        std::vector<UtcSeconds> instants;
        for (const TideExtreme& e : month) {
            instants.insert(instants.end(), {e.utc - 120, e.utc, e.utc + 120});
        }
        return Xtide().Levels(seattle, instants);
    }();
    for (std::size_t i = 0; i < month.size(); ++i) {
        EXPECT_NEAR(around[3 * i + 1], month[i].height, 1e-9);
        const double sign = month[i].isHigh ? 1.0 : -1.0;
        EXPECT_GT(sign * (around[3 * i + 1] - around[3 * i]), 0) << month[i].utc;
        EXPECT_GT(sign * (around[3 * i + 1] - around[3 * i + 2]), 0) << month[i].utc;
        if (i > 0) {
            EXPECT_NE(month[i].isHigh, month[i - 1].isHigh) << month[i].utc;
        }
    }
}

TEST(TideDatabase, SubordinateStationFollowsItsReferenceWithItsOffsetsAndUnits) {
    // Waimea Bay, Kauai: highs 7 minutes later and x0.86, lows 18 minutes later and x0.91.
    const TideStation waimea = StationWithId("1611401");
    ASSERT_FALSE(waimea.isReference);
    const TideStation reference = *Xtide().Station(waimea.file, waimea.referenceRecord);
    const UtcSeconds from = 1718000000;
    const std::vector<TideExtreme> base =
        Xtide().Extremes(reference, from - 3600, from + 2 * 86400);
    const std::vector<TideExtreme> moved = Xtide().Extremes(waimea, from, from + 2 * 86400);
    ASSERT_GE(moved.size(), 6u);
    for (const TideExtreme& event : moved) {
        const UtcSeconds minutes = event.isHigh ? 7 : 18;
        const auto source = std::find_if(base.begin(), base.end(), [&](const TideExtreme& b) {
            return b.utc + minutes * 60 == event.utc && b.isHigh == event.isHigh;
        });
        ASSERT_NE(source, base.end()) << event.utc;
        EXPECT_NEAR(event.height, source->height * (event.isHigh ? 0.86 : 0.91), 1e-4);
    }
    const std::vector<TideExtreme> metres =
        Xtide().Extremes(waimea, from, from + 2 * 86400, LevelUnits::Meters);
    ASSERT_EQ(metres.size(), moved.size());
    EXPECT_NEAR(metres[0].height, moved[0].height * 0.3048, 1e-12);
    // Between its highs and lows the level follows a half cosine, inside their range.
    const double middle = Xtide().Levels(waimea, {(moved[0].utc + moved[1].utc) / 2})[0];
    EXPECT_NEAR(middle, (moved[0].height + moved[1].height) / 2, 1e-9);
}

class TideFileProbe : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quintrel-tides-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_ / "tides");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = folder_ / "tides" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::string Truncated() {
        std::ifstream in(kXtide, std::ios::binary);
        std::string bytes(300000, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return bytes;
    }

    std::filesystem::path folder_;
};

TEST_F(TideFileProbe, DamagedCrashingAndHangingFilesAreRefusedByName) {
    EXPECT_FALSE(ProbeTideFile(kXtide).has_value());
    struct Case {
        std::string path;
        std::string message;  // part of it
    };
    const std::string fifo = (folder_ / "tides" / "pipe.tcd").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Case cases[] = {
        {Write("junk.tcd", "not a harmonics file\n"), "junk.tcd cannot be opened"},
        // libtcd aborts on this one: only the child process goes down.
        {Write("cut.tcd", Truncated()), "cut.tcd was refused: reading it crashed"},
        {fifo, "pipe.tcd was refused: reading it took longer than 0.5 s"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> problem = ProbeTideFile(c.path, 500);
        ASSERT_TRUE(problem.has_value()) << c.path;
        EXPECT_NE(problem->find(c.message), std::string::npos) << *problem;
    }
}

TEST_F(TideFileProbe, RefusedUserFilesLeaveTheOthersWorking) {
    Write("junk.tcd", "not a harmonics file\n");
    Write("cut.TCD", Truncated());
    Write("notes.txt", "not looked at");
    const std::shared_ptr<TideDatabase> database =
        OpenTideData(folder_.string(), folder_.string(), 2000);
    ASSERT_EQ(database->Problems().size(), 2u);
    EXPECT_NE(database->Problems()[0].find("cut.TCD"), std::string::npos);
    EXPECT_NE(database->Problems()[1].find("junk.tcd"), std::string::npos);
    EXPECT_EQ(database->Files(), std::vector<std::string>{kXtide});
    EXPECT_EQ(database->Nearby(47.6, -122.333).front().station.id, "9447130");
}

}  // namespace
}  // namespace quintrel::tides
