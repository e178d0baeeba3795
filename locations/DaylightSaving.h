#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "astro/CivilDate.h"

namespace quintrel {

/// The date on which the start rule (columns 60-65) of a 71-character record takes
/// effect in `year`.
DaySerial DstStartDate(std::string_view record, std::int16_t year);

/// The date on which the end rule (columns 66-71) of a 71-character record takes effect.
DaySerial DstEndDate(std::string_view record, std::int16_t year);

struct DaylightSavingResult {
    std::string zoneText;     ///< offset from Greenwich to use on the day, as text
    bool isStartDay = false;  ///< the day is the first day of the saving period
    bool isEndDay = false;    ///< the day is the last day of the saving period
};

/// The offset from Greenwich to use on `day` for the place of `record`: zoneText plus one
/// hour inside its daylight-saving period, zoneText unchanged otherwise.
DaylightSavingResult ApplyDaylightSaving(std::string_view record, std::string_view zoneText,
                                         std::string_view dstFlag, std::string_view latitudeText,
                                         DaySerial day);

}  // namespace quintrel
