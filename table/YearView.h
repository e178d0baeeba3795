#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

/// The moon's mark on a day of the year view.
enum class MoonMark { None, NewMoon, FullMoon };

/// One day cell of the year view.
struct YearDay {
    int day = 0;         ///< 1..31
    int weekday = 0;     ///< 1 = Sunday .. 7 = Saturday: the cell's column
    int week = 0;        ///< 0..5: the cell's row within its month
    int ratingRank = 0;  ///< 1 "Poor" .. 4 "Best", 0 without a rating
    MoonMark moon = MoonMark::None;
};

struct YearMonth {
    int month = 0;  ///< 1..12
    std::vector<YearDay> days;
};

/// A year at a glance for one place: each day's rating and the new and full moons, laid out
/// as twelve month grids (weeks start on Sunday, as the month table's weekdays count).
struct YearSheet {
    std::int16_t year = 0;
    std::string title;      ///< "Quintrel Year at a Glance: France (Paris) 2027", UTF-8
    std::string placeLine;  ///< the month report's place line
    std::array<YearMonth, 12> months;
};

/// The year sheet of `record` (a location record, Windows-1252 bytes; `placeName` its
/// display name in UTF-8) for `year` (101..9998). The ratings are those of the month tables,
/// computed through the planner. A new moon falls on the day whose moon turns from waning
/// at its start to waxing at the next day's start, a full moon the other way round.
/// Throws CoreError for a damaged record or a year out of reach.
YearSheet BuildYearSheet(std::string_view record, std::string_view placeName, std::int16_t year);

/// "Quintrel Year at a Glance: " + place + " " + year.
std::string YearViewTitle(std::string_view placeName, std::int16_t year);

}  // namespace quintrel
