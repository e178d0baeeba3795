#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/RiseSetSearch.h"
#include "astro/mRiseSet.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kBoston;
using testing::kPhiladelphia;
using testing::kTromso;
using testing::ValuesOf;

// The moon's altitude (as its sine) at a time text of a day, on the place's standard clock.
double MoonHeight(const std::string& record, int year, int month, int day, double hours) {
    const PlaceValues place = ValuesOf(record);
    const mRiseSet::BodySearch search =
        mRiseSet::MakeBodySearch("M", place.PlaceLatitude, place.PlaceLongitude, place.PlaceZone,
                                 static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
                                 static_cast<std::int16_t>(day));
    return mRiseSet::SinAltitude(search.body, search.mjd0, hours, search.longitudeWestDeg,
                                 search.cosLatitude, search.sinLatitude);
}

TEST(TransitPeriods, MajorsAreWhereTheMoonIsHighestOrLowest) {
    const struct {
        const char* name;
        std::string record;
        int year, month;
        bool extremes;  // far north the moon's own motion in declination hides them
    } cases[] = {{"Philadelphia", kPhiladelphia, 2026, 3, true},
                 {"TromsoPolarNight", kTromso, 2026, 12, false},
                 {"TromsoMidnightSun", kTromso, 2027, 6, false}};
    for (const auto& c : cases) {
        const MonthTable table =
            CalculateMonth(ValuesOf(c.record), c.record, c.month, c.year, MonthOptions{true});
        for (const DayRow& row : table.rows) {
            for (const std::string* major : {&row.Maj1, &row.Maj2}) {
                if (!c.extremes || !mRiseSet::IsTimeText(*major)) {
                    continue;
                }
                // 20 minutes either side the moon is lower at an upper transit and higher at
                // a lower one: the major is an extreme of its height.
                const double at = mRiseSet::TimeTextToHours(*major) + 0.5 / 60;
                const double here = MoonHeight(c.record, c.year, c.month, row.Day, at);
                const double before = MoonHeight(c.record, c.year, c.month, row.Day, at - 0.33);
                const double after = MoonHeight(c.record, c.year, c.month, row.Day, at + 0.33);
                EXPECT_TRUE((here > before && here > after) || (here < before && here < after))
                    << c.name << " day " << row.Day << " " << *major;
            }
            // Every day keeps at least one major and one minor, polar days included.
            EXPECT_TRUE(mRiseSet::IsTimeText(row.Maj1)) << c.name << " day " << row.Day;
            EXPECT_TRUE(mRiseSet::IsTimeText(row.Min1)) << c.name << " day " << row.Day;
            if (row.MRise == "never") {
                EXPECT_TRUE(mRiseSet::IsTimeText(row.Min2)) << c.name << " day " << row.Day;
            }
        }
    }
}

TEST(TransitPeriods, MinorsAreTheMoonriseAndMoonsetAndTheOptionIsOffByDefault) {
    const MonthTable usual = CalculateMonth(ValuesOf(kBoston), kBoston, 3, 2026);
    const MonthTable transit =
        CalculateMonth(ValuesOf(kBoston), kBoston, 3, 2026, MonthOptions{true});
    EXPECT_EQ(usual.rows.size(), transit.rows.size());
    bool anyDifferent = false;
    for (std::size_t i = 0; i < usual.rows.size(); ++i) {
        const DayRow& row = transit.rows[i];
        // Nothing but the activity times changes.
        EXPECT_EQ(row.MRise, usual.rows[i].MRise);
        EXPECT_EQ(row.Rating, usual.rows[i].Rating);
        if (mRiseSet::IsTimeText(row.MRise) && mRiseSet::IsTimeText(row.MSet)) {
            const bool riseFirst = row.MRise < row.MSet;
            EXPECT_EQ(row.Min1, riseFirst ? row.MRise : row.MSet) << "day " << row.Day;
            EXPECT_EQ(row.Min2, riseFirst ? row.MSet : row.MRise) << "day " << row.Day;
        }
        anyDifferent = anyDifferent || row.Maj1 != usual.rows[i].Maj1;
    }
    EXPECT_TRUE(anyDifferent);
}

}  // namespace
}  // namespace quintrel
