#pragma once

// The place's real clock: which offset is in force at any instant, with the clock moving
// at the hour its daylight-saving rules give. Everything that turns an instant into the
// time a person there reads on the wall (the month table on change days, the day picture,
// the calendar export, the tides) asks LocalClockAt.

#include <cstdint>
#include <string>
#include <string_view>

#include "astro/CivilDate.h"

namespace quintrel {

/// An instant: seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = std::int64_t;

/// The instant of 00:00 UTC on a date.
UnixSeconds UtcMidnight(DaySerial date);

/// What a place's clock follows: its standard offset and, when its record carries usable
/// daylight-saving rules (see DstRulesUsable), the saving periods and the hours of the
/// changes. The saving starts at the start rule's hour of standard time and ends at the
/// end rule's hour of the summer clock (New York: 02:00 becomes 03:00 in March, 02:00
/// becomes 01:00 in November).
struct PlaceClock {
    std::string record;
    std::string dstFlag;
    std::string zoneText;        ///< the standard offset as the place's text ("10", "-3.5")
    std::string summerZoneText;  ///< one hour more, written the same way ("11", "-2.5")
    int standardSeconds = 0;     ///< the standard offset in seconds ahead of UTC
    double latitude = 0;         ///< decides the hemisphere of the saving period
    bool keepsSaving = false;
    int startHour = 0;  ///< hour of standard time at which the clock goes forward
    int endHour = 0;    ///< hour of the summer clock at which it goes back
};

/// The clock of a place from the texts the month table reads (standard offset, daylight
/// saving flag, latitude) and its record. Throws CoreError when a number is not a number.
PlaceClock MakePlaceClock(std::string_view record, std::string_view zoneText,
                          std::string_view dstFlag, std::string_view latitudeText);

/// What the clock reads at one instant.
struct ClockReading {
    DaySerial date = 0;
    int secondOfDay = 0;    ///< 0 .. 86399
    int offsetSeconds = 0;  ///< ahead of UTC, daylight saving included
    bool summer = false;    ///< daylight saving is in force
};

/// The place's local clock at an instant: the one conversion from an instant to the time
/// shown on the wall there. Throws CoreError for an instant beyond the date arithmetic.
ClockReading LocalClockAt(const PlaceClock& clock, UnixSeconds instant);

/// One local date on the real clock: from the first instant the clock reads that date to
/// the first instant it reads the next one. 24 hours, or 23 and 25 on the change days.
struct LocalDay {
    UnixSeconds start = 0;
    UnixSeconds end = 0;
    bool summerAtStart = false;  ///< daylight saving is in force when the date begins
    bool hasChange = false;
    bool forward = false;    ///< the change skips an hour (else it repeats one)
    UnixSeconds change = 0;  ///< the instant of the change, when hasChange
    int changeFromHour = 0;  ///< the hour the clock leaves at the change (New York: 2 and 2)
    int changeToHour = 0;    ///< the hour it shows just after (New York: 3 and 1)
};
LocalDay LocalDayOf(const PlaceClock& clock, DaySerial date);

/// The instant at which the clock reads `minuteOfDay` (0 .. 1440) on `date`. A reading
/// shown twice, in the hour repeated when the clock goes back, gives the first of the two
/// (still on the summer clock); a reading the clock skips is read on the clock before the
/// change.
UnixSeconds InstantOfReading(const PlaceClock& clock, DaySerial date, int minuteOfDay);

}  // namespace quintrel
