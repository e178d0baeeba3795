#pragma once

// The proof that the fast search changes nothing: month tables computed both ways and
// compared line by line, as the CSV export writes them.

#include <cstdint>
#include <string>
#include <vector>

namespace quintrel {

struct MonthOfYear {
    std::int16_t month = 1;
    std::int16_t year = 2000;
};

struct SearchPathComparison {
    std::uint64_t months = 0;
    std::uint64_t differingMonths = 0;
    /// FNV-1a digest of every CSV day line of the exact tables, place by place in order.
    std::uint64_t exactDigest = 0;
    /// The same over the tables of the fastest path; equal when nothing differs.
    std::uint64_t fastDigest = 0;
    /// Place, month and the two lines of the first difference found, or empty.
    std::string firstDifference;
    /// Searches that ran through the fast sampler, and those of them that went on to the
    /// exact search because a decision was in doubt.
    std::uint64_t fastSearches = 0;
    std::uint64_t fallbacks = 0;
};

/// Computes every month of `months` for every place of `records` (location records) with
/// the exact search and with the fastest one, on `threads` threads, and compares the day
/// lines. Throws CoreError when a record or month cannot be computed.
SearchPathComparison CompareSearchPaths(const std::vector<std::string>& records,
                                        const std::vector<MonthOfYear>& months, unsigned threads);

}  // namespace quintrel
