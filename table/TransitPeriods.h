#pragma once

// Activity times from the moon's transits, the choice beside the table's usual ones (which
// take the midpoint of moonrise and moonset): the majors at the moon's upper and lower
// transit, the minors at its rise and set, or, on a day it neither rises nor sets, a
// quarter of a lunar day from the majors, so polar days keep all four periods.

#include "astro/CivilDate.h"
#include "table/DateEvents.h"
#include "table/MonthTable.h"

namespace quintrel {

/// Replaces the four activity times of `row` (the row of `date` at `place`, its moon texts
/// already filled) with the transit-based ones, each on the place's real clock and ordered
/// earlier first like the table's.
void SetTransitPeriods(DayRow& row, const PlaceTexts& place, DaySerial date);

}  // namespace quintrel
