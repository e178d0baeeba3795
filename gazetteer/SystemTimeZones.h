#pragma once

#include <string>
#include <vector>

#include "locations/ZoneRule.h"

namespace quintrel {

/// A zone as the system's time-zone database describes it for some years.
struct ZoneReading {
    int standardOffset = 0;  ///< seconds ahead of Greenwich, standard time
    std::vector<ZoneTransition> transitions;
};

/// Whether `zoneId` names a zone of the system's time-zone database: a zone or one of the
/// older names it links to another (UTC, Etc/GMT+5, US/Eastern). The zone library would
/// also take a POSIX rule string ("AEST-10") or read any file under the database folder;
/// neither is a zone a place can be given.
bool IsSystemZoneId(const std::string& zoneId);

/// The standard offset of IANA zone `zoneId` at the start of `firstYear` and its clock
/// changes from then to the end of `firstYear + years - 1`. Throws CoreError when
/// IsSystemZoneId refuses the name.
ZoneReading ReadSystemZone(const std::string& zoneId, int firstYear, int years);

/// The record's zone and rule for `zoneId`, for the ten years from this one (see
/// DeriveZoneRule). Throws like ReadSystemZone.
ZoneRuleResult SystemZoneRule(const std::string& zoneId, bool north);

/// This year, by the system clock.
int CurrentYear();

}  // namespace quintrel
