#pragma once

#include <cstdint>
#include <string>

namespace quintrel {

/// English name of a month, 1 = January .. 12 = December; the first three letters when
/// `fullName` is false ("Sep"). Any other number gives "".
std::string GetMonthName(std::int16_t month, bool fullName);

/// English name of a weekday, 1 = Sunday .. 7 = Saturday. Any other number gives "".
std::string GetDayName(std::int16_t weekday);

}  // namespace quintrel
