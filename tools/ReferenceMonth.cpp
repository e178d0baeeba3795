#include "tools/ReferenceMonth.h"

#include "table/CalculateMonth.h"
#include "table/DateEvents.h"

namespace quintrel {

MonthTable CalculateMonthPlain(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year) {
    const PlaceTexts texts = MakePlaceTexts(place, record);
    return CalculateMonthFrom(month, year, [&](DaySerial date, EventsWanted wanted) {
        return EventsOneByOne(texts, date, wanted);
    });
}

}  // namespace quintrel
