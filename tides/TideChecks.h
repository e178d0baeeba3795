#pragma once

#include <string_view>
#include <vector>

#include "tides/TideData.h"

namespace quintrel::tides {

// The checks Quintrel makes on what a harmonics file gives it, before anything is
// predicted from it: libtcd decodes the file, these decide whether its values make sense.

/// Throws CoreError naming `fileName` unless the table holds 1 to 255 constituents, each
/// named, with a finite speed of 0 to 1000 degrees an hour, and 1 to 1000 years of finite
/// equilibrium arguments and node factors (node factors 0 to 10), within the years
/// 100-9999.
void CheckConstituentTable(const ConstituentTable& table, std::string_view fileName);

/// The records of an index that can be offered: a named station at a real position
/// (latitude -90..90, longitude -180..360; 0,0 is the format's "no position"), and for a
/// subordinate station a reference record that exists in the same index and is a
/// reference station. The others are left out; the order is kept.
std::vector<StationHeader> UsableStations(const std::vector<StationHeader>& index);

/// Throws CoreError naming the station unless its values can be predicted from: a
/// reference station's constituents index the table, with finite amplitudes of 0 to 100
/// and finite phases, and a finite datum offset; a subordinate station's offsets are
/// finite, its multipliers 0 to 100 and its time offsets within two days.
void CheckStation(const TideStation& station, const ConstituentTable& table);

}  // namespace quintrel::tides
