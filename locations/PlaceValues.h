#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// The selected place's values that the month table reads, filled from its record.
struct PlaceValues {
    float PlaceLatitude = 0;   ///< degrees, north positive
    float PlaceLongitude = 0;  ///< degrees, east positive
    float PlaceZone = 0;       ///< hours standard time is ahead of Greenwich
    std::string PlaceDstFlag;  ///< column 59 of the record ("1" keeps saving), empty if shorter
};

/// Fills `place` from a location record (Windows-1252 bytes). Latitude, longitude and zone
/// are reset to 0 first; an empty record leaves them at 0 and keeps PlaceDstFlag.
/// Throws CoreError naming the record when a number column is not a number.
void ParseSelectedLocation(std::string_view record, PlaceValues& place);

}  // namespace quintrel
