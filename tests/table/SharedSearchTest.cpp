#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "astro/CivilDate.h"
#include "astro/mRiseSet.h"
#include "locations/LocationFile.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"
#include "tools/ReferenceMonth.h"

namespace quintrel {
namespace {

// The month table searches each body once per date and reuses the answers for the
// neighbouring rows; it must give exactly what one engine call per event gives.

void ExpectSameTable(const MonthTable& fast, const MonthTable& plain, const std::string& what) {
    ASSERT_EQ(fast.rows.size(), plain.rows.size()) << what;
    for (std::size_t i = 0; i < fast.rows.size(); ++i) {
        const DayRow& a = fast.rows[i];
        const DayRow& b = plain.rows[i];
        const auto fields = [](const DayRow& r) {
            return std::vector<std::string>{r.DayName, r.SRise,  r.SSet, r.MRise, r.MSet,
                                            r.Phase,   r.WaxWan, r.Maj1, r.Maj2,  r.Min1,
                                            r.Min2,    r.Rating, r.Stars};
        };
        EXPECT_EQ(a.Day, b.Day) << what;
        EXPECT_EQ(fields(a), fields(b)) << what << " day " << b.Day;
    }
}

TEST(SharedSearch, PairGivesBothEngineAnswers) {
    const char* const places[][3] = {
        {"40", "-75", "-5"}, {"70", "20", "1"},          {"-43.533333", "172.63333", "13"},
        {"0", "0", "0"},     {"89.5", "-179.99", "-12"}, {"-66.5", "140", "10.5"}};
    for (const auto& place : places) {
        // Every third day of a leap year: all seasons and moon ages.
        for (DaySerial date = DateSerial(2020, 1, 1); date < DateSerial(2021, 1, 1); date += 3) {
            const CivilDate civil = DateFromSerial(date);
            const auto y = static_cast<std::int16_t>(civil.year);
            const auto m = static_cast<std::int16_t>(civil.month);
            const auto d = static_cast<std::int16_t>(civil.day);
            for (const bool moon : {false, true}) {
                const mRiseSet::RiseSetTexts pair =
                    mRiseSet::RiseSetPair(place[0], place[1], place[2], moon ? "M" : "", y, m, d);
                EXPECT_EQ(pair.rise, mRiseSet::RiseSetTime(place[0], place[1], place[2],
                                                           moon ? "MR" : "R", y, m, d));
                EXPECT_EQ(pair.set, mRiseSet::RiseSetTime(place[0], place[1], place[2],
                                                          moon ? "MS" : "S", y, m, d));
            }
        }
    }
}

TEST(SharedSearch, MonthTablesEqualThePlainComputation) {
    const std::string adelaide =
        testing::MakeRecord("Australia - SA", "Adelaide", "- 34 56+138 36+ 9.51025110031104");
    const std::string oldRecord = "1Chile                Santiago         - 33 27- 70 40";
    const std::string* records[] = {&testing::kBoston,  &testing::kChristchurch,
                                    &testing::kKarachi, &testing::kTromso,
                                    &adelaide,          &oldRecord};
    for (const std::string* record : records) {
        const PlaceValues place = testing::ValuesOf(*record);
        for (int year : {1999, 2024, 2025}) {
            for (std::int16_t month = 1; month <= 12; ++month) {
                const auto y = static_cast<std::int16_t>(year);
                ExpectSameTable(CalculateMonth(place, *record, month, y),
                                CalculateMonthPlain(place, *record, month, y),
                                record->substr(1, 30) + " " + std::to_string(month) + "/" +
                                    std::to_string(year));
            }
        }
    }
}

TEST(SharedSearch, EveryShippedPlaceEqualsThePlainComputation) {
    std::ifstream in(std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    LocationState state;
    state.Locations = SplitLocationText(text.str());
    CompactLocationList(state);
    ASSERT_FALSE(state.Locations.empty());
    // March and October hold the changeover days of both hemispheres.
    for (const std::string& record : state.Locations) {
        const PlaceValues place = testing::ValuesOf(record);
        for (std::int16_t month : {3, 10}) {
            ExpectSameTable(CalculateMonth(place, record, month, 2026),
                            CalculateMonthPlain(place, record, month, 2026),
                            record.substr(1, 38) + " " + std::to_string(month) + "/2026");
        }
    }
}

}  // namespace
}  // namespace quintrel
