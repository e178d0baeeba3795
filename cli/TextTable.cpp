#include "cli/TextTable.h"

#include <array>

#include "table/DayColumns.h"
#include "table/ReportTexts.h"

namespace quintrel::cli {

namespace {

// The widths follow the report, narrowed to terminal characters; the group headings
// span exactly their columns ("<------Moon------>" covers rise, set and phase).
using Column = TextColumn;

constexpr Column kDay{0, 3, Align::Right};
constexpr Column kDayName{4, 9, Align::Left};
constexpr Column kSunRise{15, 5, Align::Centre};
constexpr Column kSunSet{21, 5, Align::Centre};
constexpr Column kMoonRise{28, 5, Align::Centre};
constexpr Column kMoonSet{34, 5, Align::Centre};
constexpr Column kPhase{41, 3, Align::Right};
constexpr Column kWaxWan{45, 1, Align::Left};
constexpr Column kMajor1{48, 5, Align::Centre};
constexpr Column kMajor2{55, 5, Align::Centre};
constexpr Column kMinor1{63, 5, Align::Centre};
constexpr Column kMinor2{70, 5, Align::Centre};
constexpr Column kRating{77, 4, Align::Left};
constexpr Column kStars{82, 4, Align::Left};

// Where each day column sits, in kDayColumns' order.
constexpr std::array<Column, kDayColumns.size()> kColumnLayout = {
    kDay,    kDayName, kSunRise, kSunSet, kMoonRise, kMoonSet, kPhase,
    kWaxWan, kMajor1,  kMajor2,  kMinor1, kMinor2,   kRating,  kStars};

// A column added to kDayColumns without a place here would print nothing.
constexpr bool EveryDayColumnPlaced() {
    for (const Column& column : kColumnLayout) {
        if (column.width == 0) {
            return false;
        }
    }
    return true;
}
static_assert(EveryDayColumnPlaced(), "every day column needs its place in the text table");

constexpr Column Span(Column first, Column last, Align align) {
    return {first.start, last.start + last.width - first.start, align};
}

std::string Finish(std::string line) {
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line + "\n";
}

}  // namespace

void PutInColumn(std::string& line, TextColumn column, std::string_view text) {
    const int length = static_cast<int>(text.size());
    int at = column.start;
    if (length < column.width) {
        if (column.align == Align::Right) {
            at += column.width - length;
        } else if (column.align == Align::Centre) {
            at += (column.width - length + 1) / 2;
        }
    }
    const auto end = static_cast<std::size_t>(at + length);
    if (line.size() < end) {
        line.resize(end, ' ');
    }
    line.replace(static_cast<std::size_t>(at), text.size(), text);
}

std::string FormatTextTable(const MonthTable& table, std::string_view placeName,
                            std::string_view placeLine) {
    std::string text = ReportTitleText(placeName, table.Month, table.Year) + "\n";
    text += placeLine;
    text += "\n\n";

    std::string groups;
    PutInColumn(groups, Span(kSunRise, kSunSet, Align::Centre), "<--Sun-->");
    PutInColumn(groups, Span(kMoonRise, kWaxWan, Align::Centre), "<------Moon------>");
    PutInColumn(groups, Span(kMajor1, kMinor2, Align::Centre), "<---Peak Activity Times--->");
    text += Finish(groups);

    std::string headings;
    PutInColumn(headings, Span(kDay, kDayName, Align::Left), "Day");
    PutInColumn(headings, kSunRise, "Rise");
    PutInColumn(headings, kSunSet, "Set");
    PutInColumn(headings, kMoonRise, "Rise");
    PutInColumn(headings, kMoonSet, "Set");
    PutInColumn(headings, Span(kPhase, kWaxWan, Align::Left), "Phase");
    PutInColumn(headings, Span(kMajor1, kMajor2, Align::Centre), "Major Times");
    PutInColumn(headings, Span(kMinor1, kMinor2, Align::Centre), "Minor Times");
    PutInColumn(headings, Span(kRating, kStars, Align::Left), "Rating For Day");
    text += Finish(headings);
    text += std::string(static_cast<std::size_t>(kStars.start + kStars.width), '-') + "\n";

    for (const DayRow& row : table.rows) {
        std::string line;
        for (std::size_t i = 0; i < kDayColumns.size(); ++i) {
            PutInColumn(line, kColumnLayout[i], DayColumnText(row, kDayColumns[i]));
        }
        text += Finish(line);
    }
    return text;
}

}  // namespace quintrel::cli
