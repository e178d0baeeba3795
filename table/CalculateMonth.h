#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "locations/PlaceValues.h"
#include "table/DateEvents.h"
#include "table/MonthTable.h"

namespace quintrel {

/// The month table of `month` (1..12) in `year` for a place: one row per day with the
/// sun and moon events on the local clock (daylight saving applied from `record`, the
/// place's location record), the moon's phase, the activity times and the day rating.
/// Throws CoreError for a month outside 1..12, a year the date arithmetic cannot take
/// (outside 101..9998) or a failing engine call; no partial table is ever returned.
MonthTable CalculateMonth(const PlaceValues& place, std::string_view record, std::int16_t month,
                          std::int16_t year);

/// The rows of the month table that `wanted` asks for, each exactly as CalculateMonth gives
/// it, with fewer searches: `wanted` sees a row holding only Day, DayName, Phase, WaxWan,
/// Rating and Stars (all known before any rise or set search), and only the rows it accepts
/// are computed in full and returned, in day order. Throws as CalculateMonth does.
MonthTable CalculateMonthRows(const PlaceValues& place, std::string_view record, std::int16_t month,
                              std::int16_t year,
                              const std::function<bool(const DayRow& day)>& wanted);

/// `count` consecutive month tables from `firstMonth` of `firstYear`, each exactly what
/// CalculateMonth gives for it; the dates where two months meet are searched once.
/// Throws CoreError like CalculateMonth for any month of the run, before computing any.
std::vector<MonthTable> CalculateMonths(const PlaceValues& place, std::string_view record,
                                        std::int16_t firstMonth, std::int16_t firstYear, int count);

/// The same table with every search made the exact way, through libm, never the fast
/// sampler. CalculateMonth must give exactly this on every processor.
MonthTable CalculateMonthExact(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year);

/// The month table built from any source of a date's raw event times: `eventsOf(date,
/// wanted)` as EventsByBody gives them. Every date's times depend on that date alone, so
/// any source that answers the same gives CalculateMonth's table; the reference
/// computations that check the fast search feed it their own. Throws as CalculateMonth.
MonthTable CalculateMonthFrom(
    std::int16_t month, std::int16_t year,
    const std::function<DateEvents(DaySerial date, EventsWanted wanted)>& eventsOf);

}  // namespace quintrel
