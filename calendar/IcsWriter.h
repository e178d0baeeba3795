#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarEvents.h"
#include "calendar/CalendarOptions.h"
#include "calendar/LocalToUtc.h"
#include "table/MonthTable.h"

namespace quintrel {

/// The product identifier written into every calendar.
std::string CalendarProductId();

/// One iCalendar file (RFC 5545, CR LF lines, written and checked by libical) holding the
/// entries that `options` asks for from the month tables of the place of `record`
/// (Windows-1252 bytes): timed events in UTC, all-day events as dates, each with the place
/// as LOCATION and GEO, `stampUtc` as DTSTAMP and, for the periods, a display reminder
/// options.alarmMinutes before the start when that is above 0.
/// Throws CoreError for a record whose numbers are not numbers, for a date after the year
/// 3000 (beyond what libical holds) or when libical rejects the calendar it was given.
std::string BuildIcsText(const std::vector<MonthTable>& tables, std::string_view record,
                         const CalendarOptions& options, UnixSeconds stampUtc);

/// BuildIcsText for months that come a few at a time: the same bytes, handed to `sink` as
/// they are made, so a century of months never lies in memory at once. The calendar's
/// head goes out when the writer is made, each AddMonths' entries (checked by libical as
/// BuildIcsText checks the whole) at once, the end with Finish. Throws as BuildIcsText
/// does; what `sink` throws passes through.
class IcsStreamWriter {
  public:
    using Sink = std::function<void(std::string_view)>;
    IcsStreamWriter(std::string_view record, const CalendarOptions& options, UnixSeconds stampUtc,
                    Sink sink);
    void AddMonths(const std::vector<MonthTable>& tables);
    void Finish();

  private:
    std::string record_;
    CalendarOptions options_;
    UnixSeconds stampUtc_;
    Sink sink_;
    std::string head_;
    unsigned checkedShapes_ = 0;  ///< kinds of entry (all-day, reminder) already checked
};

}  // namespace quintrel
