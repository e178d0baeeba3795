#pragma once

// The rise and set search on numbers: what RiseSetPair does after reading its texts and
// before writing its answers, so that a month's searches can read the place once and turn
// hours into text once, and so that a faster way of sampling the altitudes can share the
// very same decisions.

#include <cstdint>
#include <string_view>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

/// Everything one search of one body on one local date needs, as numbers.
struct BodySearch {
    std::int16_t body = 2;        ///< 1 moon, 2 sun, 3 nautical twilight
    double sinThreshold = 0;      ///< sine of the altitude that counts as rise or set
    double mjd0 = 0;              ///< local midnight of the date, in UT
    double longitudeWestDeg = 0;  ///< degrees, WEST positive
    double cosLatitude = 0;
    double sinLatitude = 0;
};

/// The search set up for a body ("M" moon, "N" nautical twilight, anything else the sun,
/// as the first character of an event code), a place (degrees, north and EAST positive;
/// zone in hours ahead of UT) and a local date. Throws CoreError when the date is beyond
/// the date arithmetic.
BodySearch MakeBodySearch(std::string_view eventCode, double latitudeDeg, double longitudeEastDeg,
                          double zoneHours, std::int16_t year, std::int16_t month,
                          std::int16_t day);

/// What the search found, before it becomes text.
struct RiseSetHours {
    bool above = false;  ///< the body was above the threshold at 00:00
    bool riseFound = false;
    bool setFound = false;
    double riseHours = 0;  ///< local decimal hours, valid when riseFound
    double setHours = 0;   ///< local decimal hours, valid when setFound
};

/// The exact search: hourly samples of the altitude through libm, a parabola through each
/// run of three.
RiseSetHours SearchRiseSet(const BodySearch& search);

/// The answers as RiseSetPair gives them: time texts, "up"/"down", or "".
RiseSetTexts RiseSetHoursToTexts(const RiseSetHours& hours);

}  // namespace quintrel::mRiseSet
