#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astro/CivilDate.h"

namespace quintrel {

/// Whether a record carries daylight-saving rules that can be applied: it is exactly 71
/// bytes long and in both rules the hour is two digits 00-23, the week digit 1-5, the
/// weekday digit 1-7 (1 = Sunday) and the month 01-12.
bool DstRulesUsable(std::string_view record);

/// The `week`-th (1-4) or last (5) `weekday` (1 = Sunday) of `month` in `year`: the date
/// a daylight-saving rule names. Throws CoreError for a year outside 100-9999.
DaySerial WeekdayRuleDate(int week, int weekday, int month, std::int16_t year);

/// The date on which the start rule (columns 60-65) of a 71-character record takes
/// effect in `year`: the first to fourth ("1"-"4") or last ("5") given weekday of the
/// rule's month. Throws CoreError naming the record when the rule is damaged
/// (see DstRulesUsable) or the year is outside 100-9999.
DaySerial DstStartDate(std::string_view record, std::int16_t year);

/// The date on which the end rule (columns 66-71) of a 71-character record takes effect;
/// fails like DstStartDate.
DaySerial DstEndDate(std::string_view record, std::int16_t year);

/// The hour of a usable start rule, on standard time (London 01, New York 02), and of a
/// usable end rule, on the summer clock (London 02, Berlin 03); 0 when the rule is not usable.
int DstStartHour(std::string_view record);
int DstEndHour(std::string_view record);

/// The first and the last day of a saving period, both whole days as the month table's
/// dates count them.
struct SavingPeriod {
    DaySerial start = 0;
    DaySerial end = 0;
};

/// The saving period that ApplyDaylightSaving judges `day` by (which may not contain it),
/// or nothing when the place keeps no daylight saving. Throws like ApplyDaylightSaving.
std::optional<SavingPeriod> SavingPeriodOf(std::string_view record, std::string_view dstFlag,
                                           double latitude, DaySerial day);

/// SavingPeriodOf's answer for `day` with the days around it that get the same answer:
/// every day from `first` to `last` (`day` among them) is judged by `period`.
struct SavingStretch {
    std::optional<SavingPeriod> period;
    DaySerial first = 0;
    DaySerial last = 0;
};
SavingStretch SavingStretchOf(std::string_view record, std::string_view dstFlag, double latitude,
                              DaySerial day);

struct DaylightSavingResult {
    std::string zoneText;     ///< offset from Greenwich to use on the day, as text
    bool isStartDay = false;  ///< the day is the first day of the saving period
    bool isEndDay = false;    ///< the day is the last day of the saving period
};

/// The offset from Greenwich to use on `day` for the place of `record`: zoneText plus one
/// hour inside its daylight-saving period (both change days included; "10" gives "11",
/// "-3.5" gives "-2.5"), zoneText unchanged otherwise. Only a 71-byte record with dstFlag
/// "1" and usable rules has a period. North of the equator (latitudeText > 0) the period
/// runs from the start date to the end date of the day's year; on or south of it the
/// period spans the new year, and is the one that contains the day: start of the year
/// before to end of this year when the day is on or before this year's end date,
/// otherwise start of this year to end of the next. The two flags tell whether the day
/// is the period's first or last day, whatever the offset.
/// Throws CoreError when the place has a period and latitudeText, or on a day inside the
/// period zoneText, is not a number.
DaylightSavingResult ApplyDaylightSaving(std::string_view record, std::string_view zoneText,
                                         std::string_view dstFlag, std::string_view latitudeText,
                                         DaySerial day);

}  // namespace quintrel
