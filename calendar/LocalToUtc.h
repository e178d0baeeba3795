#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "astro/CivilDate.h"
#include "locations/RealClock.h"
#include "table/DateEvents.h"

namespace quintrel {

/// The instant of a time of the month table: `timeText` ("hh:mm") read on the place's real
/// clock on `date`, as the table shows every event (see InstantOfReading: a time in the
/// hour shown twice when the clock goes back is read as the first, on summer time).
/// Nothing for a text that names no time (":", "never", "sets", "rises", "").
/// Throws CoreError for a date out of range or a place whose numbers are not numbers.
std::optional<UnixSeconds> TableTimeToUtc(const PlaceTexts& place, DaySerial date,
                                          std::string_view timeText);

}  // namespace quintrel
