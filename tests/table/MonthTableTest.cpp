#include <gtest/gtest.h>

#include <ostream>

#include "astro/CoreError.h"
#include "astro/mRiseSet.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kKarachi;
using testing::kPhiladelphia;
using testing::kTromso;
using testing::ValuesOf;

MonthTable Month(const std::string& record, int month, int year) {
    return CalculateMonth(ValuesOf(record), record, static_cast<std::int16_t>(month),
                          static_cast<std::int16_t>(year));
}

const DayRow& Day(const MonthTable& table, int day) {
    return table.rows.at(static_cast<std::size_t>(day - 1));
}

struct RowCountCase {
    int month;
    int year;
    std::size_t rows;
};

void PrintTo(const RowCountCase& c, std::ostream* out) {
    *out << c.year << "-" << c.month;
}

class RowCount : public ::testing::TestWithParam<RowCountCase> {};

TEST_P(RowCount, OneRowPerDayInOrder) {
    const RowCountCase c = GetParam();
    const MonthTable table = Month(kKarachi, c.month, c.year);
    EXPECT_EQ(table.Month, c.month);
    EXPECT_EQ(table.Year, c.year);
    ASSERT_EQ(table.rows.size(), c.rows);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        EXPECT_EQ(table.rows[i].Day, static_cast<std::int16_t>(i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(MonthTable, RowCount,
                         ::testing::Values(RowCountCase{2, 2000, 29}, RowCountCase{2, 2003, 28},
                                           RowCountCase{2, 2004, 29}, RowCountCase{2, 2100, 28},
                                           RowCountCase{1, 2004, 31}, RowCountCase{4, 2025, 30},
                                           RowCountCase{12, 9998, 31}, RowCountCase{1, 101, 31}));

TEST(MonthTable, DayNamesFollowTheCalendar) {
    const MonthTable table = Month(kKarachi, 1, 2004);
    EXPECT_EQ(Day(table, 1).DayName, "Thursday");
    EXPECT_EQ(Day(table, 4).DayName, "Sunday");
    EXPECT_EQ(Day(table, 31).DayName, "Saturday");
}

TEST(MonthTable, MonthOrYearOutsideTheCalendarIsAnError) {
    const PlaceValues place = ValuesOf(kKarachi);
    const std::pair<int, int> bad[] = {{0, 2004}, {13, 2004}, {-1, 2004},
                                       {1, 100},  {12, 9999}, {6, -5}};
    for (const auto& [month, year] : bad) {
        EXPECT_THROW(CalculateMonth(place, kKarachi, static_cast<std::int16_t>(month),
                                    static_cast<std::int16_t>(year)),
                     CoreError)
            << month << "/" << year;
    }
}

TEST(MonthTable, DayWithoutMoonsetUsesTheNextDaysMoonset) {
    // Philadelphia, 2 November 2003: the moon rises at 14:26 and sets after midnight.
    const MonthTable table = Month(kPhiladelphia, 11, 2003);
    const DayRow& row = Day(table, 2);
    EXPECT_EQ(row.MRise, "14:26");
    EXPECT_EQ(row.MSet, ":");
    const std::string nextSet = mRiseSet::RiseSetTime("40", "-75", "-5", "MS", 2003, 11, 3);
    const mRiseSet::ActivityTimes expected =
        mRiseSet::MajorMinorTimes(Day(table, 1).MRise, "14:26", ":", nextSet);
    EXPECT_NE(row.Maj1, ":");
    EXPECT_EQ(row.Maj1, std::min(expected.Major1, expected.Major2));
    EXPECT_EQ(row.Maj2, std::max(expected.Major1, expected.Major2));
}

TEST(MonthTable, DayTwoWithoutMoonriseUsesDayOnesMoonrise) {
    // Philadelphia, 2 March 2005: no moonrise that day.
    const MonthTable table = Month(kPhiladelphia, 3, 2005);
    const DayRow& row = Day(table, 2);
    EXPECT_EQ(row.MRise, ":");
    ASSERT_NE(row.MSet, ":");
    const mRiseSet::ActivityTimes expected =
        mRiseSet::MajorMinorTimes(Day(table, 1).MRise, ":", row.MSet, Day(table, 3).MSet);
    EXPECT_NE(row.Maj1, ":");
    EXPECT_EQ(row.Maj1, std::min(expected.Major1, expected.Major2));
    EXPECT_EQ(row.Min1, std::min(expected.Minor1, expected.Minor2));
}

struct PolarCase {
    const char* name;
    int month;
    int day;
    const char* sunRise;
    const char* sunSet;
};

void PrintTo(const PolarCase& c, std::ostream* out) {
    *out << c.name;
}

class PolarSun : public ::testing::TestWithParam<PolarCase> {};

TEST_P(PolarSun, DaysWithoutSunriseReadNever) {
    const PolarCase c = GetParam();
    const MonthTable table = Month(kTromso, c.month, 2003);
    EXPECT_EQ(Day(table, c.day).SRise, c.sunRise);
    EXPECT_EQ(Day(table, c.day).SSet, c.sunSet);
}

INSTANTIATE_TEST_SUITE_P(
    MonthTable, PolarSun,
    ::testing::Values(PolarCase{"MidsummerNeverSets", 6, 21, "never", "sets"},
                      PolarCase{"MidwinterNeverRises", 12, 21, "never", "rises"},
                      // The sun sets at 23:35 after weeks above the horizon, but does not
                      // rise that day: shown like a day without events.
                      PolarCase{"EmptySunriseNeverRises", 7, 27, "never", "rises"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(MonthTable, ActivityTimesAreStoredEarlierFirst) {
    for (const std::string* record : {&kPhiladelphia, &kTromso, &kKarachi}) {
        for (int month = 1; month <= 12; ++month) {
            for (const DayRow& row : Month(*record, month, 2011).rows) {
                EXPECT_LE(row.Maj1, row.Maj2) << month << "/" << row.Day;
                EXPECT_LE(row.Min1, row.Min2) << month << "/" << row.Day;
                if (row.Maj2 != ":") {
                    EXPECT_NE(row.Maj1, ":");
                }
            }
        }
    }
}

TEST(MonthTable, PhaseAndRatingComeFromTheDate) {
    // 25 November 2003: 6.6 per cent lit and waxing, a "Good" day; the same everywhere.
    for (const std::string* record : {&kPhiladelphia, &kTromso}) {
        const MonthTable table = Month(*record, 11, 2003);
        const DayRow& row = Day(table, 25);
        EXPECT_EQ(row.Phase, "7");
        EXPECT_EQ(row.WaxWan, "+");
        EXPECT_EQ(row.Rating, "Good");
        EXPECT_EQ(row.Stars, "***");
    }
}

}  // namespace
}  // namespace quintrel
