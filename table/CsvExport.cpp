#include "table/CsvExport.h"

namespace quintrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The last two characters of "0" followed by the number: 5 -> "05", 12 -> "12".
std::string TwoDigits(int number) {
    const std::string text = "0" + std::to_string(number);
    return text.substr(text.size() - 2);
}

}  // namespace

std::string CsvPreamble(std::string_view timeText, std::string_view dateText) {
    std::string line = "Quintrel (Version " + std::to_string(QUINTREL_VERSION_MAJOR) + "." +
                       std::to_string(QUINTREL_VERSION_MINOR) + "." +
                       std::to_string(QUINTREL_VERSION_REVISION) + ") Data Extract done at ";
    line += timeText;
    line += " on ";
    line += dateText;
    return line;
}

std::string CsvDayLine(const MonthTable& table, const DayRow& row) {
    // The date comes from the table itself, never from the month now selected in the
    // window: a table exported after the selection changed still carries its own dates.
    std::string line = std::to_string(table.Year) + TwoDigits(table.Month) + TwoDigits(row.Day);
    for (const std::string* field :
         {&row.DayName, &row.SRise, &row.SSet, &row.MRise, &row.MSet, &row.Phase, &row.WaxWan,
          &row.Maj1, &row.Maj2, &row.Min1, &row.Min2, &row.Rating, &row.Stars}) {
        line += ',';
        line += *field;
    }
    return line;
}

std::string CsvDayLines(const MonthTable& table) {
    std::string text;
    for (const DayRow& row : table.rows) {
        text += CsvDayLine(table, row);
        text += kLineEnd;
    }
    return text;
}

std::string BuildCsvText(const std::vector<MonthTable>& tables, std::string_view timeText,
                         std::string_view dateText) {
    std::string text = CsvPreamble(timeText, dateText);
    text += kLineEnd;
    text += kCsvHeader;
    text += kLineEnd;
    for (const MonthTable& table : tables) {
        text += CsvDayLines(table);
    }
    return text;
}

std::string BuildCsvText(const MonthTable& table, std::string_view timeText,
                         std::string_view dateText) {
    return BuildCsvText(std::vector<MonthTable>{table}, timeText, dateText);
}

}  // namespace quintrel
