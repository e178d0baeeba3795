#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table/MonthTable.h"
#include "table/Planner.h"
#include "tides/PlaceTides.h"
#include "tides/TideDatabase.h"

namespace quintrel::tides {

// The tide table beside the month report: a line a day with its highs and lows and the
// month table's rating and activity times, ready to be drawn by the report pages.

/// One day of the tide table.
struct TideTableLine {
    int day = 0;                     ///< day of the month
    std::string dayText;             ///< "Mon 1"
    std::vector<std::string> tides;  ///< "04:12 2.31 High", every high and low of the day
    std::string rating;              ///< "Good **"
    std::string majors;              ///< "04:10 16:33": the table's major times, ":" left out
    std::string minors;
};

/// "04:12 2.31 High": a tide as the table shows it.
std::string TideEventText(const PlaceTideEvent& event);

/// The lines of `table`'s month with the events of that month (PlaceTides on the table's
/// place and month, in order); events of other dates are skipped.
std::vector<TideTableLine> TideTableLines(const MonthTable& table,
                                          const std::vector<PlaceTideEvent>& events);

/// "Tide Table For <place>, January 2027".
std::string TideTableTitle(std::string_view placeName, int month, int year);

/// How a station is offered in a chooser: "Seattle, Puget Sound (9447130), 3.2 km NE".
std::string StationOfferText(const NearbyStation& station);

/// The plain message for a place without a station near enough.
std::string NoStationText(std::string_view placeName);

/// The stations offered for the place of `record` (a location record) and the one to
/// show: the user's kept choice `keptId` when it is offered, else the nearest.
struct PlaceStations {
    std::vector<NearbyStation> offered;
    std::optional<NearbyStation> chosen;
};
PlaceStations StationsForPlace(const TideDatabase& database, const std::string& record,
                               std::string_view keptId);

/// The highs and lows of `station` on the dates `firstDate` .. `lastDate` of the clock of
/// the place of `record`, heights in the station's units. Throws CoreError as PlaceTides.
std::vector<PlaceTideEvent> PlaceRecordTides(const TideDatabase& database,
                                             const NearbyStation& station,
                                             const std::string& record, DaySerial firstDate,
                                             DaySerial lastDate);

/// The planner's tide times from `database`: each place's station is the one kept for it
/// (`keptId` of its record; may be null: the nearest) within 100 km; a place without one
/// gives nothing. Safe to call from several threads when `keptId` is.
TideTimesSource PlanTideTimes(std::shared_ptr<const TideDatabase> database,
                              std::function<std::string(const std::string& record)> keptId);

/// The first and last date of a month, as PlaceTides takes them.
std::pair<DaySerial, DaySerial> MonthDates(int month, int year);

}  // namespace quintrel::tides
