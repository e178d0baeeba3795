#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintrel {

/// The rise and the set answer of one body on one local date.
struct RiseSetTexts {
    std::string rise;  ///< what RiseSetTime gives for the "R" event
    std::string set;   ///< what RiseSetTime gives for the "S" event
};

enum class Body { Sun, Moon };

/// A place as the search reads it: the numbers of its latitude and longitude texts, read
/// once instead of on every search.
struct SearchSite {
    double longitudeWestDeg = 0;
    double sinLatitude = 0;
    double cosLatitude = 0;
};

/// Reads the texts exactly as RiseSetTime does. Throws CoreError for a text that is not a
/// number.
SearchSite MakeSearchSite(std::string_view latitudeText, std::string_view longitudeText);

/// Both answers of mRiseSet::RiseSetTime for one body ("R"/"S" or "MR"/"MS") from a
/// single pass over the day's altitude samples. The search for a rise and the search
/// for a set of the same body and date are the same loop and differ only in which found
/// time they report, so this gives the same texts bit for bit at half the cost.
/// Texts and units as RiseSetTime; throws CoreError for a text that is not a number.
RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day);

/// The same search for a site already read and a zone in hours (the number of the zone
/// text, as ReadNumber gives it).
RiseSetTexts RiseSetPair(const SearchSite& site, double zoneHours, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day);

}  // namespace quintrel
