#include "table/Planner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

#include "astro/CoreError.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kBoston;
using testing::kChristchurch;
using testing::kTromso;
using testing::ValuesOf;

auto Fields(const DayRow& r) {
    return std::tie(r.Day, r.DayName, r.SRise, r.SSet, r.MRise, r.MSet, r.Phase, r.WaxWan, r.Maj1,
                    r.Maj2, r.Min1, r.Min2, r.Rating, r.Stars);
}

DayRow Day(std::string dayName, std::string rise, std::string set, std::string maj1,
           std::string maj2, std::string min1, std::string min2, std::string rating) {
    DayRow row;
    row.Day = 9;
    row.DayName = std::move(dayName);
    row.SRise = std::move(rise);
    row.SSet = std::move(set);
    row.Maj1 = std::move(maj1);
    row.Maj2 = std::move(maj2);
    row.Min1 = std::move(min1);
    row.Min2 = std::move(min2);
    row.Rating = std::move(rating);
    return row;
}

PlanFilters Weekend(int minRank, bool daylight, std::optional<int> nearSun = std::nullopt) {
    return {minRank, *ParseWeekdays("sat,sun"), daylight, nearSun, 0, std::nullopt};
}

struct FilterCase {
    const char* name;
    DayRow row;
    PlanFilters filters;
    bool passes;
    std::vector<std::string> periods;
};

void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << c.name;
}

class PlannerFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(PlannerFilterTest, day_passes_exactly_the_filters_it_meets) {
    const FilterCase& c = GetParam();
    std::vector<std::string> periods;
    EXPECT_EQ(DayPassesFilters(c.row, c.filters, periods), c.passes);
    if (c.passes) {
        EXPECT_EQ(periods, c.periods);
    }
}

const DayRow kBestSaturdayMorningMajor =
    Day("Saturday", "06:50", "17:20", "07:05", "19:31", "00:52", "13:18", "Best");
const DayRow kGoodSundayNightMajors =
    Day("Sunday", "07:10", "16:55", "05:10", "17:35", "11:22", "23:47", "Good");

INSTANTIATE_TEST_SUITE_P(
    Days, PlannerFilterTest,
    ::testing::Values(
        FilterCase{"weekend_best_day_with_morning_major",
                   kBestSaturdayMorningMajor,
                   Weekend(3, true),
                   true,
                   {"Major 07:05"}},
        FilterCase{"good_day_whose_majors_fall_at_night",
                   kGoodSundayNightMajors,
                   Weekend(3, true),
                   false,
                   {}},
        FilterCase{"good_day_passes_without_the_daylight_filter",
                   kGoodSundayNightMajors,
                   Weekend(3, false),
                   true,
                   {"Major 05:10", "Minor 11:22", "Major 17:35", "Minor 23:47"}},
        FilterCase{"good_day_below_best", kGoodSundayNightMajors, Weekend(4, false), false, {}},
        FilterCase{"weekday_left_out",
                   Day("Monday", "06:50", "17:20", "07:05", ":", ":", ":", "Best"),
                   Weekend(0, false),
                   false,
                   {}},
        // "Within N minutes" takes N itself: a period exactly N minutes from sunrise counts,
        // one a minute further does not.
        FilterCase{"period_exactly_n_minutes_from_sunrise_counts",
                   Day("Sunday", "06:50", "17:20", "07:35", ":", ":", ":", "Fair"),
                   Weekend(0, false, 45),
                   true,
                   {"Major 07:35"}},
        FilterCase{"period_a_minute_beyond_n_is_left_out",
                   Day("Sunday", "06:50", "17:20", "07:36", ":", ":", ":", "Fair"),
                   Weekend(0, false, 45),
                   false,
                   {}},
        FilterCase{"major_half_an_hour_after_sunset_counts",
                   Day("Sunday", "06:50", "17:20", "02:00", "17:50", ":", ":", "Fair"),
                   Weekend(0, true),
                   true,
                   {"Major 17:50"}},
        FilterCase{"major_31_minutes_before_sunrise_does_not",
                   Day("Sunday", "06:50", "17:20", "06:19", "18:45", ":", ":", "Fair"),
                   Weekend(0, true),
                   false,
                   {}},
        FilterCase{"major_40_minutes_after_sunset_is_within_an_hour",
                   kGoodSundayNightMajors,
                   Weekend(0, false, 60),
                   true,
                   {"Major 17:35"}},
        FilterCase{"minor_near_sunset_meets_the_near_sun_filter",
                   Day("Sunday", "06:50", "17:20", "11:02", "23:27", "04:49", "17:10", "Poor"),
                   Weekend(0, false, 15),
                   true,
                   {"Minor 17:10"}},
        FilterCase{"both_time_filters_list_what_met_either",
                   kBestSaturdayMorningMajor,
                   Weekend(0, true, 20),
                   true,
                   {"Major 07:05"}},
        // "Within N minutes" takes N itself; one minute more does not.
        FilterCase{"minor_exactly_n_minutes_before_sunrise_counts",
                   Day("Sunday", "06:50", "17:20", "11:02", "23:27", "06:35", ":", "Poor"),
                   Weekend(0, false, 15),
                   true,
                   {"Minor 06:35"}},
        FilterCase{"minor_n_plus_one_minutes_after_sunset_does_not",
                   Day("Sunday", "06:50", "17:20", "11:02", "23:27", ":", "17:36", "Poor"),
                   Weekend(0, false, 15),
                   false,
                   {}},
        FilterCase{
            "no_period_near_the_sun", kBestSaturdayMorningMajor, Weekend(0, false, 5), false, {}},
        FilterCase{"polar_day_is_daylight_all_day",
                   Day("Sunday", "never", "sets", "23:10", ":", "04:58", "17:23", "Good"),
                   Weekend(0, true),
                   true,
                   {"Major 23:10"}},
        FilterCase{"polar_night_has_no_daylight",
                   Day("Sunday", "never", "rises", "11:00", "23:25", ":", ":", "Good"),
                   Weekend(0, true),
                   false,
                   {}},
        FilterCase{"sunset_before_sunrise_gives_two_stretches",
                   Day("Sunday", "23:30", "00:40", "01:05", "12:00", ":", ":", "Good"),
                   Weekend(0, true),
                   true,
                   {"Major 01:05"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlannerOptionsTest, weekdays_and_ratings_read_as_the_command_line_writes_them) {
    EXPECT_EQ(ParseWeekdays("sat,sun"), WeekdaySet{0b1000001});
    EXPECT_EQ(ParseWeekdays(" Saturday , SUN "), WeekdaySet{0b1000001});
    EXPECT_EQ(ParseWeekdays("weekend"), ParseWeekdays("sun,sat"));
    EXPECT_EQ(ParseWeekdays("all"), kEveryWeekday);
    EXPECT_EQ(ParseWeekdays("mon,tue,wed,thu,fri"), WeekdaySet{0b0111110});
    for (const char* bad : {"", "sa", "sat,", "sat,funday", "weekends"}) {
        EXPECT_EQ(ParseWeekdays(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(WeekdaysText(*ParseWeekdays("sat,sun")), "sun,sat");
    EXPECT_EQ(WeekdaysText(kEveryWeekday), "all");

    EXPECT_EQ(ParseRating("good"), Rating::Good);
    EXPECT_EQ(ParseRating("Best"), Rating::Best);
    EXPECT_EQ(ParseRating("Great"), std::nullopt);
    EXPECT_EQ(RatingRank(""), 0);
}

struct ProblemCase {
    const char* name;
    PlanRequest request;
    std::string problem;
};

PlanRequest OnePlace(int months) {
    PlanRequest request;
    request.places = {{kBoston, "Boston"}};
    request.firstMonth = 1;
    request.firstYear = 2027;
    request.monthCount = months;
    return request;
}

void PrintTo(const ProblemCase& c, std::ostream* out) {
    *out << c.name;
}

class PlannerProblemTest : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(PlannerProblemTest, request_that_cannot_be_searched_says_what_is_allowed) {
    const ProblemCase& c = GetParam();
    EXPECT_NE(PlanRequestProblem(c.request).find(c.problem), std::string::npos)
        << PlanRequestProblem(c.request);
    EXPECT_THROW(RunPlan(c.request), CoreError);
}

PlanRequest With(PlanRequest request, void (*change)(PlanRequest&)) {
    change(request);
    return request;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, PlannerProblemTest,
    ::testing::Values(
        ProblemCase{"no_place", With(OnePlace(1), [](PlanRequest& r) { r.places.clear(); }),
                    "No place is chosen"},
        ProblemCase{"no_month", OnePlace(0), "between 1 and 24, not 0"},
        ProblemCase{"too_many_months", OnePlace(25), "between 1 and 24, not 25"},
        ProblemCase{"no_weekday", With(OnePlace(1), [](PlanRequest& r) { r.filters.weekdays = 0; }),
                    "No day of the week"},
        ProblemCase{"months_past_the_calendar",
                    With(OnePlace(24), [](PlanRequest& r) { r.firstYear = 9998; }),
                    "between the years 101 and 9998"},
        ProblemCase{"near_sun_too_wide",
                    With(OnePlace(1), [](PlanRequest& r) { r.filters.nearSunMinutes = 241; }),
                    "between 0 and 240"}),
    [](const auto& row) { return std::string(row.param.name); });

// Three places over a year end, every day listed: the planner's rows are the month
// table's rows, on one thread and on several.
TEST(PlannerTest, rows_equal_the_month_tables_on_any_number_of_threads) {
    PlanRequest request;
    request.places = {{kBoston, "Boston"}, {kChristchurch, "Christchurch"}, {kTromso, "Tromso"}};
    request.firstMonth = 11;
    request.firstYear = 2026;
    request.monthCount = 3;
    // Unfiltered on one to five threads, then only the Good and Best weekend days, whose
    // neighbours are then not computed in full.
    for (const unsigned threads : {1u, 2u, 5u, 0u}) {
        if (threads == 0) {
            request.filters = Weekend(3, false);
        }
        const PlanResult result = RunPlan(request, {threads, {}, {}, {}});
        ASSERT_FALSE(result.cancelled);
        if (threads != 0) {
            ASSERT_EQ(result.days.size(), 3u * (30 + 31 + 31)) << threads;
        } else {
            ASSERT_GT(result.days.size(), 3u);
        }
        std::size_t checked = 0;
        for (std::size_t place = 0; place < request.places.size(); ++place) {
            for (const auto& [month, year] : {std::pair{11, 2026}, {12, 2026}, {1, 2027}}) {
                const std::string& record = request.places[place].record;
                const MonthTable table =
                    CalculateMonth(ValuesOf(record), record, static_cast<std::int16_t>(month),
                                   static_cast<std::int16_t>(year));
                for (const PlanDay& day : result.days) {
                    if (day.placeIndex == place && day.month == month && day.year == year) {
                        const DayRow& expected =
                            table.rows[static_cast<std::size_t>(day.row.Day - 1)];
                        EXPECT_EQ(Fields(day.row), Fields(expected));
                        ++checked;
                    }
                }
            }
        }
        EXPECT_EQ(checked, result.days.size());
        // By date, then place order; the places of one date share its rating.
        for (std::size_t i = 1; i < result.days.size(); ++i) {
            const PlanDay& a = result.days[i - 1];
            const PlanDay& b = result.days[i];
            EXPECT_LE(std::tuple(a.year, a.month, a.row.Day, a.placeIndex),
                      std::tuple(b.year, b.month, b.row.Day, b.placeIndex));
            if (std::tuple(a.year, a.month, a.row.Day) == std::tuple(b.year, b.month, b.row.Day)) {
                EXPECT_EQ(a.row.Rating, b.row.Rating);
            }
        }
    }
}

// "The days ahead" begin on the given day, across the month and year boundaries.
TEST(PlannerTest, days_before_the_first_day_are_left_out) {
    PlanRequest request;
    request.places = {{kBoston, "Boston"}};
    request.firstMonth = 12;
    request.firstYear = 2026;
    request.monthCount = 2;
    PlanRun oneThread;
    oneThread.threads = 1;
    for (const auto& [notBefore, count, first] : {std::tuple{0, 62, std::string("2026-12-01")},
                                                  {20261231, 32, "2026-12-31"},
                                                  {20270101, 31, "2027-01-01"},
                                                  {20270131, 1, "2027-01-31"},
                                                  {20270201, 0, ""}}) {
        request.filters.notBefore = notBefore;
        const PlanResult result = RunPlan(request, oneThread);
        ASSERT_EQ(result.days.size(), static_cast<std::size_t>(count)) << notBefore;
        if (count > 0) {
            EXPECT_EQ(PlanDateText(result.days.front()), first);
        }
    }
}

// Rows computed alone are the month table's rows, on clock-change days and their
// neighbours too, and in polar day and night.
TEST(PlannerTest, rows_computed_alone_equal_the_month_table) {
    struct Month {
        const std::string* record;
        std::int16_t month;
        std::int16_t year;
    };
    for (const Month& m :
         {Month{&kBoston, 3, 2025}, Month{&kBoston, 11, 2025}, Month{&kChristchurch, 4, 2025},
          Month{&kChristchurch, 9, 2025}, Month{&kTromso, 6, 2025}, Month{&kTromso, 12, 2025}}) {
        const MonthTable table = CalculateMonth(ValuesOf(*m.record), *m.record, m.month, m.year);
        for (const int keep : {2, 3}) {
            const MonthTable some =
                CalculateMonthRows(ValuesOf(*m.record), *m.record, m.month, m.year,
                                   [&](const DayRow& day) { return day.Day % keep == 1; });
            ASSERT_EQ(some.rows.size(), (table.rows.size() + keep - 1) / keep);
            for (const DayRow& row : some.rows) {
                EXPECT_EQ(Fields(row), Fields(table.rows[static_cast<std::size_t>(row.Day - 1)]))
                    << m.month << "/" << m.year << " day " << row.Day;
            }
        }
    }
}

TEST(PlannerTest, cancelling_stops_the_search_and_lists_nothing) {
    PlanRequest request = OnePlace(24);
    request.places.push_back({kChristchurch, "Christchurch"});
    std::stop_source stop;
    std::atomic<int> calls{0};
    PlanRun run{2,
                stop.get_token(),
                [&](int, int total) {
                    EXPECT_EQ(total, 48);
                    if (++calls == 3) {
                        stop.request_stop();
                    }
                },
                {}};
    const PlanResult result = RunPlan(request, run);
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.days.empty());
    // Each thread finishes the month at hand, then stops.
    EXPECT_LE(calls.load(), 3 + 2);
}

TEST(PlannerTest, damaged_record_is_reported_not_skipped) {
    PlanRequest request = OnePlace(2);
    request.places.push_back(
        {testing::MakeRecord("Nowhere", "Town", "+ 4x  0- 75  0-   50"), "Nowhere (Town)"});
    EXPECT_THROW(RunPlan(request, {2, {}, {}, {}}), CoreError);
}

}  // namespace
}  // namespace quintrel

namespace quintrel {
namespace {

TEST(PlannerTideTest, periods_near_a_high_or_low_water_of_the_same_day) {
    // kGoodSundayNightMajors: majors 05:10 and 17:35, minors 11:22 and 23:47.
    PlanFilters filters = Weekend(0, false);
    filters.nearTideMinutes = 30;
    struct Case {
        std::vector<int> tides;
        bool passes;
        std::vector<std::string> periods;
    };
    const Case cases[] = {
        {{5 * 60 + 40, 11 * 60 + 52}, true, {"Major 05:10", "Minor 11:22"}},  // 30 min both
        {{5 * 60 + 41, 17 * 60 + 4}, false, {}},                              // 31 min both
        {{}, false, {}},  // a day without a high or low water
    };
    for (const Case& c : cases) {
        std::vector<std::string> periods;
        EXPECT_EQ(DayPassesFilters(kGoodSundayNightMajors, filters, periods, &c.tides), c.passes);
        EXPECT_EQ(periods, c.periods);
    }
    std::vector<std::string> periods;
    EXPECT_FALSE(DayPassesFilters(kGoodSundayNightMajors, filters, periods, nullptr));
}

TEST(PlannerTideTest, places_without_a_station_are_skipped_and_named) {
    PlanRequest request = OnePlace(2);
    request.places.push_back({kChristchurch, "Christchurch"});
    request.filters.nearTideMinutes = 240;
    PlanRun run;
    run.threads = 2;
    // Every day of the first place has a water at each period's minute; the second has none.
    run.tideTimes = [&](const PlanPlace& place, int, int) -> std::optional<MonthTideTimes> {
        if (place.record == kChristchurch) {
            return std::nullopt;
        }
        return MonthTideTimes(31, std::vector<int>{0, 360, 720, 1080});
    };
    const PlanResult result = RunPlan(request, run);
    EXPECT_EQ(result.placesWithoutTides, std::vector<std::size_t>{1});
    ASSERT_FALSE(result.days.empty());
    for (const PlanDay& day : result.days) {
        EXPECT_EQ(day.placeIndex, 0u);
    }
    EXPECT_EQ(RunPlan(request).placesWithoutTides, (std::vector<std::size_t>{0, 1}));
}

}  // namespace
}  // namespace quintrel
