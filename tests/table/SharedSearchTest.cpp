#include <gtest/gtest.h>

#include "astro/mRiseSet.h"
#include "table/CalculateMonth.h"
#include "table/RiseSetPair.h"
#include "tests/table/TablePlaces.h"

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
        for (int day = 1; day <= 366; day += 3) {
            const int month = 1 + (day - 1) / 31;
            const int dayOfMonth = 1 + (day - 1) % 28;
            const auto y = static_cast<std::int16_t>(2020);
            const auto m = static_cast<std::int16_t>(month > 12 ? 12 : month);
            const auto d = static_cast<std::int16_t>(dayOfMonth);
            for (Body body : {Body::Sun, Body::Moon}) {
                const bool moon = body == Body::Moon;
                const RiseSetTexts pair = RiseSetPair(place[0], place[1], place[2], body, y, m, d);
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

}  // namespace
}  // namespace quintrel
