#pragma once

#include <string>

#include "table/DayPicture.h"
#include "tides/TideDatabase.h"

namespace quintrel::tides {

/// Puts the tides of `picture`'s day at the place of `record` (a location record) from
/// `station` into the picture: the water level every kDaySampleMinutes on the place's
/// clock (split where the clock changes) and the day's highs and lows, with the times and
/// heights the tide table shows. A day outside the tables' years gets their message in
/// `problem` and no curve.
void AddDayTides(const TideDatabase& database, const NearbyStation& station,
                 const std::string& record, DayPicture& picture);

}  // namespace quintrel::tides
