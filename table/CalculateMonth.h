#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "locations/PlaceValues.h"
#include "table/MonthTable.h"

namespace quintrel {

/// The month table of `month` (1..12) in `year` for a place: one row per day with the
/// sun and moon events on the local clock (daylight saving applied from `record`, the
/// place's location record), the moon's phase, the activity times and the day rating.
/// Throws CoreError for a month outside 1..12, a year the date arithmetic cannot take
/// (outside 101..9998) or a failing engine call; no partial table is ever returned.
MonthTable CalculateMonth(const PlaceValues& place, std::string_view record, std::int16_t month,
                          std::int16_t year);

/// `count` consecutive month tables from `firstMonth` of `firstYear`, each exactly what
/// CalculateMonth gives for it; the dates where two months meet are searched once.
/// Throws CoreError like CalculateMonth for any month of the run, before computing any.
std::vector<MonthTable> CalculateMonths(const PlaceValues& place, std::string_view record,
                                        std::int16_t firstMonth, std::int16_t firstYear, int count);

/// The same table with every search made the exact way, through libm, never the fast
/// sampler. CalculateMonth must give exactly this on every processor.
MonthTable CalculateMonthExact(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year);

/// The same table computed the straightforward way: one engine call per event, the next
/// day's moonset searched afresh for every row. CalculateMonth must give exactly this;
/// kept as the reference that tests and benchmarks compare it against.
MonthTable CalculateMonthPlain(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year);

}  // namespace quintrel
