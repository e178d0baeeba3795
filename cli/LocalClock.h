#pragma once

#include <string>

namespace quintrel::cli {

/// The local clock at one moment, read once so that all texts agree.
struct LocalMoment {
    int month = 0;  ///< 1..12
    int year = 0;
    std::string timeText;  ///< hours, minutes and seconds in the user's time format
    std::string dateText;  ///< the date in the user's short date format
};

/// Reads the clock now. The texts follow the LC_TIME locale of the environment.
LocalMoment ReadLocalClock();

}  // namespace quintrel::cli
