#pragma once

#include <cstdint>
#include <string_view>

#include "locations/PlaceValues.h"
#include "table/MonthTable.h"

namespace quintrel {

/// The month table computed the straightforward way: one engine call per event, the next
/// day's moonset searched afresh for every row. CalculateMonth must give exactly this;
/// kept as the reference that tests, the fuzzer and benchmarks compare it against.
MonthTable CalculateMonthPlain(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year);

}  // namespace quintrel
