#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/CivilDate.h"
#include "log/LogRecords.h"

namespace quintrel::logbook {

/// Below this many outings a chart cannot support a conclusion; the numbers are still
/// given, and the window and the command line say so.
inline constexpr int kFewestOutings = 5;

/// The day ratings in the charts' order; "None" is a day the table gives no rating.
inline constexpr std::array<std::string_view, 5> kRatingNames = {"Best", "Good", "Fair", "Poor",
                                                                 "None"};
/// The bands of minutes from the nearest major or minor time; each holds its upper edge
/// (30 minutes is "0-30").
inline constexpr std::array<std::string_view, 4> kMinuteBandNames = {"0-30", "30-60", "60-120",
                                                                     "120+"};
inline constexpr std::array<int, 3> kMinuteBandUpperEdges = {30, 60, 120};
/// The eight phases of the moon, each 45 degrees of the moon's elongation centred on its
/// name (new moon from 337.5 to 22.5 degrees).
inline constexpr std::array<std::string_view, 8> kMoonPhaseNames = {
    "New moon",  "Waxing crescent", "First quarter", "Waxing gibbous",
    "Full moon", "Waning gibbous",  "Last quarter",  "Waning crescent"};
/// The bands of hours from the nearest high or low water; each holds its upper edge (an
/// hour from high water is "0-1"), as the minute bands do.
inline constexpr std::array<std::string_view, 4> kTideBandNames = {"0-1", "1-2", "2-3", "3+"};
inline constexpr std::array<int, 3> kTideBandUpperMinutes = {60, 120, 180};

/// A catch's moment for the tide chart: when the clock of the place of `record` (UTF-8
/// location record) reads `minuteOfDay` on `date`.
struct TideQuery {
    const std::string* record = nullptr;
    DaySerial date = 0;
    int minuteOfDay = 0;
};

/// The tide at a catch, for the tide chart (LogTides.h gives it from the tide stations).
class TideStageSource {
  public:
    virtual ~TideStageSource() = default;
    /// Whether the place of `record` (UTF-8 location record) has a tide station.
    virtual bool HasStation(const std::string& record) const = 0;
    /// For each query, the minutes from the nearest high or low water; nothing when the
    /// place has no tide station or the tide tables do not reach the date. Asked once for
    /// all catches, so that the work can be shared out over `threads`.
    virtual std::vector<std::optional<double>> MinutesFromTurns(
        const std::vector<TideQuery>& queries, int threads) const = 0;
};

struct StatisticsOptions {
    /// Take the activity times from the moon's transits (the window's setting, --transit),
    /// so the numbers match the table the user sees.
    bool transitActivityTimes = false;
    /// The tide chart's source; none: no tide chart.
    const TideStageSource* tides = nullptr;
    /// Threads computing month tables; 0: one per core.
    int threads = 0;
};

struct RatingRow {
    int outings = 0;
    long long catches = 0;  ///< the sum of the catches' counts
    double perOuting = 0;   ///< catches / outings; 0 without outings
};

struct MinutesRow {
    long long catches = 0;
    double share = 0;       ///< of all catches with a time
    double hoursShare = 0;  ///< of all minutes fished
    long long minutesFished = 0;
};

struct PhaseRow {
    int outings = 0;  ///< outings on a day of this phase
    long long catches = 0;
};

struct TideRow {
    long long catches = 0;
    double share = 0;
};

/// The numbers behind the charts, each with what it rests on.
struct LogStatistics {
    int outings = 0;                      ///< outings counted
    long long catches = 0;                ///< the sum of their catches' counts
    int skippedOutings = 0;               ///< outings whose place or date the table cannot compute
    bool tooFewOutings = false;           ///< fewer than kFewestOutings outings
    std::array<RatingRow, 5> byRating{};  ///< in kRatingNames order
    long long timedCatches = 0;           ///< catches with a time: the minutes chart
    long long minutesFished = 0;          ///< the hours chart rests on these
    std::array<MinutesRow, 4> byMinutes{};         ///< in kMinuteBandNames order
    std::array<PhaseRow, 8> byMoonPhase{};         ///< in kMoonPhaseNames order
    std::optional<std::array<TideRow, 4>> byTide;  ///< with a tide source only
    long long tideCatches = 0;                     ///< catches the tide source knew
    int tideOutings = 0;                           ///< outings at a place with a station
    /// The places (UTF-8 records) of outings without a tide station, sorted.
    std::vector<std::string> placesWithoutTides;
};

/// The statistics of `entries`, with every day's rating, phase and activity times taken
/// from the month table exactly as the report computes it (each place and month computed
/// once, the months spread over `threads`):
/// - per outing by the rating of its date;
/// - catches by minutes from the nearest major or minor time of the catch's day, the day
///   before or the day after, against the share of the minutes fished in each band. An
///   outing's minutes run from its start to its end (past midnight when the end is
///   earlier), or without both from its first to its last timed catch, widened to an hour
///   around their middle when shorter; catches after midnight of such an outing are on the
///   next day;
/// - catches and outings by the moon's phase of the day (eight bins);
/// - with a tide source, catches by hours from the nearest high or low water, and which
///   places have no station.
LogStatistics ComputeStatistics(const std::vector<OutingEntries>& entries,
                                const StatisticsOptions& options = {});

/// The phase bin (index into kMoonPhaseNames) of a day with `percentLit` (0..100) of the
/// moon lit, waxing or waning: the elongation whose lit share that is.
int MoonPhaseBin(double percentLit, bool waxing);
/// The band (index into kMinuteBandNames) of a distance in minutes; each band holds its
/// upper edge.
int MinuteBand(double minutes);
/// The band (index into kTideBandNames) of a distance in minutes from high or low water.
int TideBand(double minutes);

/// The first two charts as CSV (CR LF): "Rating,Outings,Catches,Per outing" and the rows
/// Best..None (per outing with two decimals), one empty line, then
/// "Minutes,Catches,Share,Hours share" and the rows 0-30..120+ (shares as fractions with
/// three decimals). With a tide chart (a place of the log has a station), one more empty
/// line and "Hours from high or low water,Catches,Share" with the rows 0-1..3+.
std::string StatisticsCsv(const LogStatistics& statistics);
/// The same numbers as aligned text with headings saying what each rests on, the moon
/// phase table and the tide table.
std::string StatisticsText(const LogStatistics& statistics);
/// The note for fewer than kFewestOutings outings: "Only N outings: ...".
std::string TooFewOutingsNote(const LogStatistics& statistics);
/// Whether the tide chart has anything to rest on: a tide source was given and an outing
/// was at a place with a station.
bool HasTideChart(const LogStatistics& statistics);
/// "No tide station within 100 km of A, B" for the places of placesWithoutTides (their
/// names as the CSV writes them); empty when every place has one.
std::string NoTideStationNote(const LogStatistics& statistics);

}  // namespace quintrel::logbook
