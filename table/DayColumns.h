#pragma once

#include <array>
#include <string>
#include <string_view>

#include "table/MonthTable.h"

namespace quintrel {

/// One column of the day row. The report's fields, the CSV file's columns and the command
/// line's text table are all built from kDayColumns, so a new column is added here (and
/// placed in each output's layout) and nowhere else.
struct DayColumn {
    std::string_view name;        ///< the report field's name, also the DayRow member's name
    std::string_view csvHeading;  ///< the column's heading in the CSV file
    std::string DayRow::*text;    ///< the member holding the text; nullptr for the day number
};

/// The day row's columns in the order every output shows them.
inline constexpr std::array<DayColumn, 14> kDayColumns = {{
    {"Day", "Date", nullptr},
    {"DayName", "Day", &DayRow::DayName},
    {"SRise", "Sun Rise", &DayRow::SRise},
    {"SSet", "Sun Set", &DayRow::SSet},
    {"MRise", "Moon Rise", &DayRow::MRise},
    {"MSet", "Moon Set", &DayRow::MSet},
    {"Phase", "% Lit", &DayRow::Phase},
    {"WaxWan", "Wax/Wan", &DayRow::WaxWan},
    {"Maj1", "Major1", &DayRow::Maj1},
    {"Maj2", "Major2", &DayRow::Maj2},
    {"Min1", "Minor1", &DayRow::Min1},
    {"Min2", "Minor2", &DayRow::Min2},
    {"Rating", "Rating", &DayRow::Rating},
    {"Stars", "Stars", &DayRow::Stars},
}};

/// The column's text in `row`: the member's text, or the day number as decimal text.
std::string DayColumnText(const DayRow& row, const DayColumn& column);

}  // namespace quintrel
