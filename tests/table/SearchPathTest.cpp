#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "tools/SearchPathCheck.h"

namespace quintrel {
namespace {

std::vector<std::string> ShippedRecords() {
    std::ifstream in(std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    LocationState state;
    state.Locations = SplitLocationText(text.str());
    CompactLocationList(state);
    return state.Locations;
}

// Under the sanitizers everything runs many times slower: every seventh place there.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kPlaceStride = 7;
#else
constexpr std::size_t kPlaceStride = 1;
#endif

std::vector<std::string> EveryStrideth(const std::vector<std::string>& records) {
    std::vector<std::string> chosen;
    for (std::size_t i = 0; i < records.size(); i += kPlaceStride) {
        chosen.push_back(records[i]);
    }
    return chosen;
}

void ExpectSame(const SearchPathComparison& comparison) {
    EXPECT_EQ(comparison.differingMonths, 0u) << comparison.firstDifference;
    EXPECT_EQ(comparison.fastDigest, comparison.exactDigest);
}

// Every day line of every shipped place, fast against exact, for two whole years.
TEST(SearchPaths, EveryShippedPlaceForTwoYears) {
    const std::vector<std::string> records = EveryStrideth(ShippedRecords());
    ASSERT_GE(records.size(), 40u);
    std::vector<MonthOfYear> months;
    for (std::int16_t year : {2025, 2026}) {
        for (std::int16_t month = 1; month <= 12; ++month) {
            months.push_back({month, year});
        }
    }
    ExpectSame(CompareSearchPaths(records, months, 1));
}

// The same over the whole range of years the table takes, a different month each time.
TEST(SearchPaths, EveryShippedPlaceAcrossTheCenturies) {
    const std::vector<std::string> records = EveryStrideth(ShippedRecords());
    std::vector<MonthOfYear> months;
    std::int16_t month = 1;
    for (const int year : {101, 500, 1000, 1582, 1583, 1700, 1900, 2000, 2100, 3000, 5000, 9998}) {
        months.push_back({month, static_cast<std::int16_t>(year)});
        month = static_cast<std::int16_t>(month % 12 + 1);
    }
    ExpectSame(CompareSearchPaths(records, months, 1));
}

// A run of months shares the dates where two months meet; each table must still be the
// one computed alone, across a year's end and a leap February.
TEST(SearchPaths, RunOfMonthsEqualsMonthsAlone) {
    const std::vector<std::string> records = ShippedRecords();
    for (std::size_t i = 0; i < records.size(); i += 40) {
        PlaceValues place;
        ParseSelectedLocation(records[i], place);
        const std::vector<MonthTable> run = CalculateMonths(place, records[i], 11, 2023, 5);
        ASSERT_EQ(run.size(), 5u);
        for (int k = 0; k < 5; ++k) {
            const auto month = static_cast<std::int16_t>((10 + k) % 12 + 1);
            const auto year = static_cast<std::int16_t>(k < 2 ? 2023 : 2024);
            const MonthTable alone = CalculateMonth(place, records[i], month, year);
            EXPECT_EQ(BuildCsvText(run[static_cast<std::size_t>(k)], "", ""),
                      BuildCsvText(alone, "", ""))
                << records[i] << " " << month << "/" << year;
        }
    }
}

}  // namespace
}  // namespace quintrel
