#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "astro/Rating.h"
#include "table/CalculateMonth.h"
#include "table/MonthTable.h"

namespace quintrel {

/// The most months one search may cover.
inline constexpr int kMaxPlanMonths = 24;
/// The widest "within N minutes of sunrise or sunset" the planner takes.
inline constexpr int kMaxNearSunMinutes = 240;
/// The widest "within N minutes of a high or low water" the planner takes.
inline constexpr int kMaxNearTideMinutes = 240;
/// How far before sunrise and after sunset the daylight filter reaches, in minutes:
/// hunting hours run from half an hour before sunrise to half an hour after sunset.
inline constexpr int kDaylightMarginMinutes = 30;

/// Weekday bits: bit (weekday - 1) for weekday 1 = Sunday .. 7 = Saturday.
using WeekdaySet = std::uint8_t;
inline constexpr WeekdaySet kEveryWeekday = 0x7F;

/// What a day must show to be listed.
struct PlanFilters {
    int minRatingRank = 0;  ///< 0 any rating, 1 "Poor" .. 4 "Best"
    WeekdaySet weekdays = kEveryWeekday;
    bool daylightMajor = false;         ///< a major time from sunrise - 30 min to sunset + 30 min
    std::optional<int> nearSunMinutes;  ///< a major or minor time this close to sunrise or sunset
    /// Days before this date, written as year * 10000 + month * 100 + day, are left out
    /// ("the days ahead" from today); 0 keeps every day of the months searched.
    int notBefore = 0;
    /// A major or minor time this close to a high or low water of the same day (on the
    /// table's clock); places without a tide station are then skipped.
    std::optional<int> nearTideMinutes;
};

/// A date as PlanFilters::notBefore holds it: 2027-01-09 is 20270109.
constexpr int PlanDateKey(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

/// One place of a search: its location record (Windows-1252 bytes, as in locs.dat) and the
/// name to show for it (UTF-8, "Country (Town)").
struct PlanPlace {
    std::string record;
    std::string name;
};

/// The high and low waters of one month of a place for the tide filter: for each day
/// (times[day - 1]) the minutes after midnight of its highs and lows on the table's clock.
using MonthTideTimes = std::vector<std::vector<int>>;
/// Gives a month's tide times of a place, or nothing when the place has no tide station.
/// Called from the search's worker threads.
using TideTimesSource =
    std::function<std::optional<MonthTideTimes>(const PlanPlace& place, int year, int month)>;

/// A search: every place, for `monthCount` months from `firstMonth` of `firstYear`.
struct PlanRequest {
    std::vector<PlanPlace> places;
    std::int16_t firstMonth = 1;  ///< 1..12
    std::int16_t firstYear = 2000;
    int monthCount = 1;  ///< 1..kMaxPlanMonths
    PlanFilters filters;
    MonthOptions monthOptions;  ///< how the tables are computed (transit-based periods)
};

/// One day that passed every filter: the place (its position in the request), the month it
/// belongs to, its month table row exactly as the month table has it, and the activity
/// times that satisfied the time filters ("Major 06:41", "Minor 19:02"; every time of the
/// day when no time filter is set).
struct PlanDay {
    std::size_t placeIndex = 0;
    std::int16_t year = 0;
    std::int16_t month = 0;
    DayRow row;
    std::vector<std::string> periods;
};

/// How a search ran.
struct PlanRun {
    /// Worker threads; 0 uses every core the machine reports.
    unsigned threads = 0;
    /// Asked to stop: the workers finish the month at hand and start no other.
    std::stop_token stop;
    /// Called after each month (one place, one month) with the months done and the total.
    /// Runs on a worker thread, never two calls at once.
    std::function<void(int done, int total)> progress;
    /// Where the tide filter's times come from; without it no place has tides.
    TideTimesSource tideTimes;
};

struct PlanResult {
    /// Sorted by date, then by the order of the places. (All places share a date's rating,
    /// which follows the moon alone, so it cannot order them.)
    std::vector<PlanDay> days;
    bool cancelled = false;  ///< stopped early; `days` is then empty
    /// With the tide filter: the places (positions in the request) skipped for having no
    /// tide station, in order.
    std::vector<std::size_t> placesWithoutTides;
};

/// Weekdays from a comma-separated list of names or their first three letters in any case
/// ("sat,sun", "Saturday"), or "weekend" or "all". Nothing for an empty list or an unknown
/// name.
std::optional<WeekdaySet> ParseWeekdays(std::string_view text);
inline constexpr std::string_view kWeekdayChoices =
    "a comma-separated list of sun, mon, tue, wed, thu, fri, sat, or weekend or all";
/// The set as ParseWeekdays reads it back: "sun,sat"; "all" for every day.
std::string WeekdaysText(WeekdaySet days);

/// Why the request cannot be searched, or "" when it can: no place, a month count outside
/// 1..24, a first month outside 1..12 or a year out of the table's reach, no weekday, a
/// rating or minute count out of range.
std::string PlanRequestProblem(const PlanRequest& request);

/// Whether one day passes the filters; when it does, `periods` gets the times that matched.
/// `tideMinutes` are the day's high and low waters for the tide filter (none: no day passes
/// it).
bool DayPassesFilters(const DayRow& row, const PlanFilters& filters,
                      std::vector<std::string>& periods,
                      const std::vector<int>* tideMinutes = nullptr);

/// Searches the request: every (place, month) is one month table, spread over the threads.
/// Its rows come from CalculateMonthRows, which computes in full only the days whose
/// rating and weekday pass, each the same row as CalculateMonth's to the bit. Throws CoreError with
/// PlanRequestProblem's text for a request that cannot be searched, and the first error of
/// a month table (a damaged record) after every thread has stopped.
PlanResult RunPlan(const PlanRequest& request, const PlanRun& run = {});

/// "Major 06:41, Minor 19:02": the periods of a planned day joined for one line.
std::string PeriodsText(const PlanDay& day);

/// "2027-01-09" for a planned day.
std::string PlanDateText(const PlanDay& day);

}  // namespace quintrel
