#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintrel {

/// English name of a month, 1 = January .. 12 = December; the first three letters when
/// `fullName` is false ("Sep"). Any other number gives "".
std::string GetMonthName(std::int16_t month, bool fullName);

/// English name of a weekday, 1 = Sunday .. 7 = Saturday. Any other number gives "".
std::string GetDayName(std::int16_t weekday);

/// The weekday of a name GetDayName gives, 1 = Sunday .. 7 = Saturday; 0 for any other text.
std::int16_t WeekdayNumber(std::string_view dayName);

}  // namespace quintrel
