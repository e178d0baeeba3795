#pragma once

#include <string>
#include <string_view>

#include "table/MonthTable.h"

namespace quintrel::cli {

/// A month table as aligned text for a terminal: the report's title and place lines, its
/// column headings, then one line per day. `placeName` ("Country (Town)") and `placeLine`
/// (the report's "Lattitude: ..., Longitude: ..., GMT ..." line) are UTF-8. Every line
/// ends with "\n".
std::string FormatTextTable(const MonthTable& table, std::string_view placeName,
                            std::string_view placeLine);

}  // namespace quintrel::cli
