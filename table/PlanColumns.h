#pragma once

#include <array>
#include <string>
#include <string_view>

#include "table/Planner.h"

namespace quintrel {

/// One column of the planner's list of days. The window's list, the printed list and the
/// command line's text are built from kPlanColumns, so a column is added, renamed or moved
/// here (and placed in each output's layout) and nowhere else.
struct PlanColumn {
    std::string_view field;    ///< the printed list's field name
    std::string_view heading;  ///< the column's heading; the stars sit under the rating's
    /// The heading in a terminal's narrow columns, where the sun's group says what rises.
    std::string_view narrowHeading;
};

/// The planner's columns in the order the window and the printed list show them.
inline constexpr std::array<PlanColumn, 9> kPlanColumns = {{
    {"Date", "Date", "Date"},
    {"DayName", "Day", "Day"},
    {"Place", "Place", "Place"},
    {"Rating", "Rating", "Rating"},
    {"Stars", "", ""},
    {"Phase", "Phase", "Phase"},
    {"SRise", "Sunrise", "Rise"},
    {"SSet", "Sunset", "Set"},
    {"Periods", "Matched Periods", "Matched Periods"},
}};

/// The column's text for a planned day; `placeName` is the name of the day's place.
std::string PlanColumnText(const PlanDay& day, const PlanColumn& column,
                           std::string_view placeName);

/// The position of the column named `field` in kPlanColumns (a compile-time check that
/// a layout names only columns that exist).
constexpr std::size_t PlanColumnIndex(std::string_view field) {
    for (std::size_t i = 0; i < kPlanColumns.size(); ++i) {
        if (kPlanColumns[i].field == field) {
            return i;
        }
    }
    throw "no such planner column";
}

}  // namespace quintrel
