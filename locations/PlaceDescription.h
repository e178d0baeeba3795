#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// The three texts of the report heading that describe a place. Windows-1252 bytes:
/// the degree and minute marks are bytes 186 (º) and 180 (´).
struct PlaceDescription {
    std::string latitudeText;   ///< e.g. "33º  52´ South"
    std::string longitudeText;  ///< e.g. "151º  13´ East"
    std::string zoneText;       ///< e.g. "GMT +10 hours"
};

/// Fills `texts` from a location record. An empty record leaves them unchanged. A record
/// without zone columns (shorter than 59 bytes) gets the zone derived from its longitude,
/// rounded half to even and always signed ("GMT +10 hours", "GMT -5 hours", "GMT +0 hours").
/// Throws CoreError naming the record when a number column is not a number.
void DescribeLocation(std::string_view record, PlaceDescription& texts);

/// The same texts as UTF-8 for display (º and ´ become U+00BA and U+00B4).
PlaceDescription DescriptionToUtf8(const PlaceDescription& texts);

}  // namespace quintrel
