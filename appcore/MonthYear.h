#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "table/TableYears.h"

namespace quintrel {

/// The lowest year the month and year controls produce.
inline constexpr std::int16_t kLowestYear = 1950;
/// The highest year the controls let through: the month table's last.
inline constexpr std::int16_t kHighestYear = kLastTableYear;

/// The month shown when the saved month is not 1..12: the first-run default, June.
inline constexpr std::int16_t kDefaultMonth = 6;

/// The text of month list entry for `month` (1..12): two digits, a blank and the full
/// English name ("01 January" .. "12 December").
std::string MonthListText(std::int16_t month);

/// Reads a year typed in the year box: a decimal number with blanks around it allowed,
/// rounded to the nearest whole number, halves to even ("2003.6" gives 2004). No value
/// when the text is not a number or does not fit in 16 bits.
std::optional<std::int16_t> ReadYear(std::string_view text);

/// The year as plain decimal text, no leading zeros, no grouping.
std::string YearText(std::int16_t year);

/// What the year box and CurrentYear hold after a check of the box.
struct YearEntry {
    std::string boxText;       ///< the text the box keeps
    std::int16_t currentYear;  ///< the year Calculate will use
};

/// The check when the focus leaves the year box. A blank box takes `thisYear`; a year
/// below 1950 becomes "1950"; text that is not a year at all, or a year beyond 9998, puts
/// back `lastValidYear`. A year that passes keeps the text as typed ("2003.6" stays while
/// the year becomes 2004).
YearEntry ValidateYearText(std::string_view text, std::int16_t thisYear,
                           std::int16_t lastValidYear);

/// "+": one year more than the box shows (or than `lastValidYear` when the box does not
/// hold a year), then checked as if the focus had left the box.
YearEntry IncreaseYear(std::string_view text, std::int16_t thisYear, std::int16_t lastValidYear);

/// "-": one year less than the box shows, never below 1950, then checked as if the focus
/// had left the box.
YearEntry DecreaseYear(std::string_view text, std::int16_t thisYear, std::int16_t lastValidYear);

/// The year shown and used at start-up for a saved year: a saved year of 1950 or less (or
/// one the controls could not produce, above 9998) gives `thisYear`, so that what the box
/// shows is also what the first calculation uses.
std::int16_t StartingYear(std::int16_t savedYear, std::int16_t thisYear);

/// The month shown and used at start-up: the saved month when it is 1..12, else June.
std::int16_t StartingMonth(std::int16_t savedMonth);

}  // namespace quintrel
