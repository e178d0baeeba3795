#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintrel {

/// One day of the month table, every value ready to print. The field names are also the
/// names of the report's fields.
struct DayRow {
    std::int16_t Day = 0;                ///< day of the month, 1..N
    std::string DayName;                 ///< "Sunday" .. "Saturday"
    std::string SRise;                   ///< time text, or "never"
    std::string SSet;                    ///< time text, or "sets"/"rises" after a "never"
    std::string MRise;                   ///< time text, ":" or "never"
    std::string MSet;                    ///< time text, ":", or "sets"/"rises"
    std::string Phase;                   ///< percent lit, "0".."100"
    std::string WaxWan;                  ///< "+" waxing, "-" waning
    std::string Maj1, Maj2, Min1, Min2;  ///< time texts or ":", earlier first
    std::string Rating;                  ///< "Poor", "Fair", "Good", "Best"
    std::string Stars;                   ///< "*" .. "****"
};

/// The table of one month for one place. rows[i] holds day i + 1.
struct MonthTable {
    std::int16_t Month = 0;  ///< the month the table was computed for, 1..12
    std::int16_t Year = 0;   ///< the year the table was computed for
    std::vector<DayRow> rows;
};

}  // namespace quintrel
