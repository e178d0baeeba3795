#pragma once

#include <ctime>
#include <string>

namespace quintrel {

/// The local clock texts of the CSV preamble for one moment, and that moment itself (the
/// calendar export's time stamp), so every export reads the clock once.
struct ClockTexts {
    std::string timeText;    ///< hours, minutes and seconds in the locale's time format
    std::string dateText;    ///< the date in the locale's short date format
    std::time_t moment = 0;  ///< seconds since 1970 UTC
};

/// The local time and date of `moment` in the formats of the process's LC_TIME locale.
/// The window and quintrel-table both take their preamble texts from here, so one moment
/// reads the same in a CSV file from either.
ClockTexts LocalClockTexts(std::time_t moment);

}  // namespace quintrel
