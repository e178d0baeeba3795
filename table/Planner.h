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
#include "table/MonthTable.h"

namespace quintrel {

/// The most months one search may cover.
inline constexpr int kMaxPlanMonths = 24;
/// The widest "within N minutes of sunrise or sunset" the planner takes.
inline constexpr int kMaxNearSunMinutes = 240;
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
};

/// One place of a search: its location record (Windows-1252 bytes, as in locs.dat) and the
/// name to show for it (UTF-8, "Country (Town)").
struct PlanPlace {
    std::string record;
    std::string name;
};

/// A search: every place, for `monthCount` months from `firstMonth` of `firstYear`.
struct PlanRequest {
    std::vector<PlanPlace> places;
    std::int16_t firstMonth = 1;  ///< 1..12
    std::int16_t firstYear = 2000;
    int monthCount = 1;  ///< 1..kMaxPlanMonths
    PlanFilters filters;
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
};

struct PlanResult {
    /// Sorted by date, then by the order of the places. (All places share a date's rating,
    /// which follows the moon alone, so it cannot order them.)
    std::vector<PlanDay> days;
    bool cancelled = false;  ///< stopped early; `days` is then empty
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
bool DayPassesFilters(const DayRow& row, const PlanFilters& filters,
                      std::vector<std::string>& periods);

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
