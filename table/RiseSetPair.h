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

/// Both answers of mRiseSet::RiseSetTime for one body ("R"/"S" or "MR"/"MS") from a
/// single pass over the day's altitude samples. The search for a rise and the search
/// for a set of the same body and date are the same loop and differ only in which found
/// time they report, so this gives the same texts bit for bit at half the cost.
/// Texts and units as RiseSetTime; throws CoreError for a text that is not a number.
RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day);

}  // namespace quintrel
