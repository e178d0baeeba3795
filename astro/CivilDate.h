#pragma once

#include <cstdint>

namespace quintrel {

/// A civil date as a day count: day 0 is 30 December 1899, so 1 January 2000 is 36526.
/// Daylight-saving rules and the month table step through dates as these numbers.
using DaySerial = std::int32_t;

struct CivilDate {
    int year = 0;
    int month = 0;  ///< 1 = January .. 12 = December
    int day = 0;    ///< 1 .. 31
};

/// The day count of a proleptic Gregorian date. Month and day must be valid for the year;
/// throws CoreError otherwise, or for a year outside 100..9999.
DaySerial DateSerial(int year, int month, int day);

/// The calendar date of a day count.
CivilDate DateFromSerial(DaySerial serial);

/// Weekday of a day count, 1 = Sunday .. 7 = Saturday.
int WeekdayOf(DaySerial serial);

/// Number of days in a month of the Gregorian calendar (28 .. 31).
int DaysInMonth(int year, int month);

}  // namespace quintrel
