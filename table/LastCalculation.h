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

/// Whether a month table must be computed for `wanted`: always when `force` is set,
/// otherwise only when it differs from `last`. The caller records `wanted` in `last` once
/// the table has been computed and shown, so a failed calculation leaves the key of the
/// table still on screen and the next request tries again.
bool IsCalculationDue(const LastCalculation& last, const LastCalculation& wanted, bool force);

}  // namespace quintrel
