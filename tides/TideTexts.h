#pragma once

#include <string>
#include <vector>

#include "tides/PlaceTides.h"
#include "tides/TideDatabase.h"

namespace quintrel::tides {

// The texts of tides for a place, shared by the command line and the windows: one home
// for how a station, a height and a tide line are written.

/// What a tide table names in its heading.
struct TideHeading {
    std::string stationName;
    std::string stationId;
    double distanceKm = 0;  ///< from the place
    double bearingDeg = 0;  ///< from the place to the station
    std::string datum;
    LevelUnits units = LevelUnits::Feet;  ///< of the heights shown
};

/// The heading of a station offered for a place, heights in `units`.
TideHeading HeadingFor(const NearbyStation& station, LevelUnits units);

/// A number with `decimals` decimals ("-0.25", "12.4"), never through the locale; a value
/// that rounds to zero is written without a sign.
std::string FixedText(double value, int decimals);

/// A line of --stations, without line end: distance in km with one decimal, id, name,
/// latitude and longitude with four signed decimals, separated by tabs.
std::string StationLine(const NearbyStation& station);

/// One line naming the station, its distance and direction from the place, the datum and
/// the units, and "Not for navigation".
std::string HeadingText(const TideHeading& heading);

/// "High" or "Low".
std::string TideWord(bool isHigh);

/// The CSV file: HeadingText as preamble, the heading "Date,Time,Height,Tide", then a line
/// per event, "YYYYMMDD,hh:mm,h.hh,High" (or Low); every line ended by CR LF.
std::string TideCsvText(const TideHeading& heading, const std::vector<PlaceTideEvent>& events);

/// The text table: the place, HeadingText, then a line a day from `firstDate` to
/// `lastDate` with its highs and lows (time, height, High/Low); lines end with LF.
std::string TideTextTable(const TideHeading& heading, const std::string& placeName,
                          const std::vector<PlaceTideEvent>& events, DaySerial firstDate,
                          DaySerial lastDate);

}  // namespace quintrel::tides
