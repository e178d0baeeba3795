#pragma once

#include <string>

#include "gazetteer/Gazetteer.h"
#include "locations/ZoneRule.h"

namespace quintrel {

/// What the location window fills in for a town of the gazetteer.
struct TownPlace {
    std::string country;  ///< the list's country field, UTF-8, at most 21 characters
    std::string town;     ///< the list's town field, UTF-8, at most 16 characters
    double latitude = 0;
    double longitude = 0;
    ZoneRuleResult zone;  ///< from the system's time-zone database
};

/// The zone and rule of IANA zone `zoneId` for a place on the given side of the equator.
/// A zone the system does not know gives no zone and a note saying so, so that the user
/// can still enter it by hand.
ZoneRuleResult ZoneRuleFor(const std::string& zoneId, bool north);

/// Names, position and zone of `town` as the place list would keep them.
TownPlace PlaceForTown(const GazetteerTown& town);

/// The location record (Windows-1252 bytes, not a favourite) the location window would
/// build for `place` when the user accepts it unchanged.
std::string TownRecord(const TownPlace& place);

}  // namespace quintrel
