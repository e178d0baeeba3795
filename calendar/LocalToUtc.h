#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "astro/CivilDate.h"
#include "table/DateEvents.h"

namespace quintrel {

/// Seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = std::int64_t;

/// The instant of 00:00 UTC on a date.
UnixSeconds UtcMidnight(DaySerial date);

/// The instant of a time of the month table: `timeText` ("hh:mm") read on the clock that
/// the table uses on `date` at `place`, the standard offset plus one hour inside the
/// daylight-saving period (the same rule and offset texts as the table). On the two change
/// days the table shows part of the day on standard time, and this follows it: on the first
/// day times before 02:00 are standard time, on the last day times from 03:00 on are
/// (the clock has gone back; the table moves events from 04:00 on back by an hour).
/// Nothing for a text that names no time (":", "never", "sets", "rises", "").
/// Throws CoreError for a date out of range or a place whose numbers are not numbers.
std::optional<UnixSeconds> TableTimeToUtc(const PlaceTexts& place, DaySerial date,
                                          std::string_view timeText);

}  // namespace quintrel
