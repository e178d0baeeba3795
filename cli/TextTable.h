#pragma once

#include <string>
#include <string_view>

#include "table/MonthTable.h"

namespace quintrel::cli {

/// How a text sits in its column of a terminal table.
enum class Align { Left, Centre, Right };

/// A column of a terminal table: where it starts, how wide it is and how its text sits in it.
struct TextColumn {
    int start;
    int width;
    Align align;
};

/// Writes `text` into `line` within the column, padding the line with blanks as needed.
/// A text wider than its column starts at the column and runs on.
void PutInColumn(std::string& line, TextColumn column, std::string_view text);

/// A month table as aligned text for a terminal: the report's title and place lines, its
/// column headings, then one line per day. `placeName` ("Country (Town)") and `placeLine`
/// (the report's "Lattitude: ..., Longitude: ..., GMT ..." line) are UTF-8. Every line
/// ends with "\n".
std::string FormatTextTable(const MonthTable& table, std::string_view placeName,
                            std::string_view placeLine);

}  // namespace quintrel::cli
