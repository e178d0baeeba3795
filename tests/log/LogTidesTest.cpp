// The tide chart's source on real harmonics: a catch's distance from high or low water is
// the one the tide table shows for the place's station.
#include "log/LogTides.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tides/TideFiles.h"
#include "tides/TideTable.h"

namespace quintrel::logbook {
namespace {

const std::string kSeattle =
    "1USA - Washington     Seattle          + 47 36-122 20-   81022103021111";
const std::string kEllensburg =
    "1USA - Washington     Ellensburg       + 47  0-120 33-   81022103021111";

std::optional<double> MinutesFromTurn(const LogTideStages& source, const std::string& record,
                                      DaySerial date, int minuteOfDay) {
    return source.MinutesFromTurns({{&record, date, minuteOfDay}}, 2).at(0);
}

std::shared_ptr<const tides::TideDatabase> XtideData() {
    static const std::shared_ptr<const tides::TideDatabase> data =
        tides::TideDatabase::Open({std::string(tides::kXtideDataFile)});
    return data;
}

TEST(LogTideStages, MinutesFromTheTurnsTheTideTableShows) {
    const std::shared_ptr<const tides::TideDatabase> data = XtideData();
    const std::vector<tides::NearbyStation> offered =
        tides::StationsForPlace(*data, kSeattle, "").offered;
    ASSERT_GE(offered.size(), 2u);
    // The nearest station, and the second one as the user's kept choice.
    for (const std::string& kept : {std::string(), offered[1].station.id}) {
        const tides::PlaceStations stations = tides::StationsForPlace(*data, kSeattle, kept);
        const LogTideStages source(data, [&](const std::string& record) {
            EXPECT_EQ(record, kSeattle);
            return kept;
        });
        ASSERT_TRUE(source.HasStation(kSeattle));
        // July (no clock change near): the table's events of three days, on the place's
        // clock, against catches at set distances from each of the middle day's.
        const DaySerial day = DateSerial(2024, 7, 16);
        const std::vector<tides::PlaceTideEvent> events =
            tides::PlaceRecordTides(*data, *stations.chosen, kSeattle, day - 1, day + 1);
        std::vector<TideQuery> queries;
        std::vector<int> expected;
        for (const tides::PlaceTideEvent& event : events) {
            if (event.date != day) {
                continue;
            }
            for (const int offset : {0, 60, -61, 119, 181}) {
                const int minute = event.minuteOfDay + offset;
                if (minute < 0 || minute >= 1440) {
                    continue;
                }
                int nearest = 100000;
                for (const tides::PlaceTideEvent& other : events) {
                    nearest = std::min(nearest, std::abs(static_cast<int>(other.date - day) * 1440 +
                                                         other.minuteOfDay - minute));
                }
                queries.push_back({&kSeattle, day, minute});
                expected.push_back(nearest);
            }
        }
        ASSERT_GT(queries.size(), 12u);
        const std::vector<std::optional<double>> answers = source.MinutesFromTurns(queries, 2);
        ASSERT_EQ(answers.size(), queries.size());
        for (std::size_t i = 0; i < queries.size(); ++i) {
            EXPECT_EQ(answers[i], expected[i])
                << "kept '" << kept << "', minute " << queries[i].minuteOfDay;
        }
    }
}

TEST(LogTideStages, NoStationOrNoTablesGiveNothing) {
    const LogTideStages source(XtideData(), nullptr);
    EXPECT_FALSE(source.HasStation(kEllensburg));
    EXPECT_EQ(MinutesFromTurn(source, kEllensburg, DateSerial(2024, 7, 16), 600), std::nullopt);
    EXPECT_FALSE(source.HasStation("not a place record"));
    // Seattle in a year beyond the file's tables.
    ASSERT_TRUE(source.HasStation(kSeattle));
    EXPECT_EQ(MinutesFromTurn(source, kSeattle, DateSerial(2150, 7, 16), 600), std::nullopt);
}

}  // namespace
}  // namespace quintrel::logbook
