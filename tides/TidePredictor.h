#pragma once

#include <vector>

#include "tides/TideData.h"

namespace quintrel::tides {

// Tide prediction from harmonic constants: the level of a reference station is
//   Z0 + sum over its constituents of f * A * cos(speed * t + (V0 + u) - phase),
// t the time since 00:00 UTC on 1 January of the moment's year, f and V0 + u that year's
// node factor and equilibrium argument from the file's tables, phase referred to UTC.
// Subordinate stations have no constants: their highs and lows are their reference
// station's, moved and scaled by their offsets.

/// `value` converted between level units (1 foot = 0.3048 m exactly).
double ConvertLevel(double value, LevelUnits from, LevelUnits to);

/// The years of `table` as an interval of UTC instants: [first, last).
UtcSeconds TableStartUtc(const ConstituentTable& table);
UtcSeconds TableEndUtc(const ConstituentTable& table);

/// The level of reference station `station` at `utc`, above its datum, in its units.
/// Throws CoreError when `utc` lies outside the years of the table.
double ReferenceLevel(const TideStation& station, const ConstituentTable& table, UtcSeconds utc);

/// The highs and lows of reference station `station` in [fromUtc, toUtc), oldest first:
/// turning points of the level, each bracketed between samples six minutes apart and
/// refined by bisection of the rate of change to the second; heights in the station's
/// units. Instants outside the table's years are left out.
std::vector<TideExtreme> ReferenceExtremes(const TideStation& station,
                                           const ConstituentTable& table, UtcSeconds fromUtc,
                                           UtcSeconds toUtc);

/// The highs and lows of subordinate station `station` in [fromUtc, toUtc), oldest first:
/// each of `reference`'s, its time moved by the high or low time offset and its height,
/// converted to the subordinate station's units, times the multiplier plus the adder.
std::vector<TideExtreme> SubordinateExtremes(const TideStation& station,
                                             const TideStation& reference,
                                             const ConstituentTable& table, UtcSeconds fromUtc,
                                             UtcSeconds toUtc);

/// The level between highs and lows where no constants give it (subordinate stations):
/// half a cosine from each extreme to the next. `extremes` oldest first; nothing (NaN)
/// before the first or after the last.
double LevelBetweenExtremes(const std::vector<TideExtreme>& extremes, UtcSeconds utc);

}  // namespace quintrel::tides
