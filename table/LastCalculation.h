#pragma once

#include <cstdint>

namespace quintrel {

/// The key of the last month table computed: month, year and place position. Pressing
/// "Calculate" again with the same key does nothing; all three start at 0, so the first
/// request always computes.
struct LastCalculation {
    std::int16_t Month = 0;
    std::int16_t Year = 0;
    std::int32_t Index = 0;

    friend bool operator==(const LastCalculation&, const LastCalculation&) = default;
};

/// Decides whether a month table must be computed for (month, year, placeIndex). Returns
/// false, changing nothing, when `force` is false and the key equals `last`; otherwise
/// stores the new key in `last` and returns true. The key is stored before the table is
/// computed; a caller whose computation then fails should reset `last` to {} so that the
/// next request tries again instead of keeping a table that belongs to another key.
bool StartCalculation(LastCalculation& last, std::int16_t month, std::int16_t year,
                      std::int32_t placeIndex, bool force);

}  // namespace quintrel
