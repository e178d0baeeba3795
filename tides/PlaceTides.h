#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/CivilDate.h"
#include "table/DateEvents.h"
#include "tides/TideData.h"
#include "tides/TideDatabase.h"

namespace quintrel::tides {

/// A moment on the place's own clock.
struct PlaceClockTime {
    DaySerial date = 0;
    int secondsOfDay = 0;  ///< 0 .. 86399
};

/// The place's clock at `utc`, as LocalClockAt reads it (the clock moves at the hours of
/// the place's daylight-saving rules). Throws CoreError for an instant out of range.
PlaceClockTime UtcToPlaceClock(const PlaceTexts& place, UtcSeconds utc);

/// The UTC instant of 00:00 standard time of `date` at the place.
UtcSeconds PlaceStandardMidnightUtc(const PlaceTexts& place, DaySerial date);

/// A high or low water on the place's clock, shown to the minute.
struct PlaceTideEvent {
    DaySerial date = 0;
    int minuteOfDay = 0;  ///< 0 .. 1439, the instant rounded to the nearest minute
    UtcSeconds utc = 0;   ///< the instant itself, to the second
    double height = 0;    ///< above the station's datum, in the units asked for
    bool isHigh = false;
};

/// The highs and lows of `station` on the dates `firstDate` to `lastDate` of the place's
/// clock, in order. Throws CoreError saying which years the tables cover when a date
/// lies outside them: tides are then not shown at all.
std::vector<PlaceTideEvent> PlaceTides(const TideDatabase& database, const TideStation& station,
                                       const PlaceTexts& place, DaySerial firstDate,
                                       DaySerial lastDate,
                                       std::optional<LevelUnits> units = std::nullopt);

/// "feet" or "metres".
std::string UnitsName(LevelUnits units);
/// "ft" or "m".
std::string UnitsSymbol(LevelUnits units);

/// The words shown wherever tides are.
inline constexpr const char* kNotForNavigation = "Not for navigation";

}  // namespace quintrel::tides
