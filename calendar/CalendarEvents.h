#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astro/CivilDate.h"
#include "calendar/CalendarOptions.h"
#include "calendar/LocalToUtc.h"
#include "table/MonthTable.h"
#include "tides/PlaceTides.h"

namespace quintrel {

/// One calendar entry, ready to be written in any calendar format.
struct CalendarEvent {
    std::string uid;  ///< the same for the same place, date and kind in every export
    std::string summary;
    std::string description;
    bool allDay = false;
    UnixSeconds startUtc = 0;  ///< timed events only
    UnixSeconds endUtc = 0;    ///< timed events only
    CivilDate date;            ///< the table's date of the entry
    bool remind = false;       ///< a reminder belongs to this entry (the periods)
};

/// The high and low waters of a calendar: the station line (name, distance, datum, units,
/// "Not for navigation"), the units' symbol and the events of the tables' dates on the
/// place's clock.
struct CalendarTides {
    std::string stationLine;
    std::string unitsSymbol;
    std::vector<tides::PlaceTideEvent> events;
};

/// The entries that `options` asks for from month tables of the place of `record`
/// (Windows-1252 bytes), in table order: per day the good-day entry, then the major and the
/// minor periods, each centred on the table's time and as long as PeriodLengthsFor gives.
/// Times shown as ":" give no entry. With options.tides and `tides`, each day's high and
/// low waters follow, as one-minute entries starting at the minute the tide table shows.
/// Throws CoreError for a record whose numbers are not numbers.
std::vector<CalendarEvent> CollectCalendarEvents(const std::vector<MonthTable>& tables,
                                                 std::string_view record,
                                                 const CalendarOptions& options,
                                                 const CalendarTides* waters = nullptr);

/// The place part of every UID: the place's name and coordinates in letters, digits, "-"
/// and ".", so that the same place always gives the same text.
std::string PlaceUidKey(std::string_view record);

}  // namespace quintrel
