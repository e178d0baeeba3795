#pragma once

#include <cstdint>
#include <string>

namespace quintrel {

/// The first and last year a month table can be computed for. The day before the first of
/// a month and the day after its last are computed too, so both neighbouring years must lie
/// within what the date arithmetic takes (100..9999).
inline constexpr std::int16_t kFirstTableYear = 101;
inline constexpr std::int16_t kLastTableYear = 9998;

/// Whether a month table can be computed for `year`.
inline bool IsTableYear(int year) {
    return year >= kFirstTableYear && year <= kLastTableYear;
}

/// "101 and 9998", for the messages that name the years.
inline std::string TableYearsText() {
    return std::to_string(kFirstTableYear) + " and " + std::to_string(kLastTableYear);
}

/// The message for a year outside them: "Year 99 is not between 101 and 9998".
inline std::string YearOutsideText(int year) {
    return "Year " + std::to_string(year) + " is not between " + TableYearsText();
}

}  // namespace quintrel
