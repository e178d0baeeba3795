#include "table/CsvExport.h"

#include <algorithm>
#include "astro/NumberText.h"
#include "table/DayColumns.h"
#include "table/ReportTexts.h"

namespace quintrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string CsvHeader() {
    std::string line;
    for (const DayColumn& column : kDayColumns) {
        if (!line.empty()) {
            line += ',';
        }
        line += column.csvHeading;
    }
    return line;
}

std::string CsvPreamble(std::string_view timeText, std::string_view dateText) {
    std::string line = "Quintrel (Version " + VersionNumberText() + ") Data Extract done at ";
    line += timeText;
    line += " on ";
    line += dateText;
    return line;
}

std::string RowDateText(const MonthTable& table, const DayRow& row) {
    return std::to_string(table.Year) + TwoDigits(table.Month) + TwoDigits(row.Day);
}

std::string CsvDayLine(const MonthTable& table, const DayRow& row) {
    // The date comes from the table itself, never from the month now selected in the
    // window: a table exported after the selection changed still carries its own dates.
    std::string line;
    for (const DayColumn& column : kDayColumns) {
        if (!line.empty()) {
            line += ',';
        }
        line += column.text != nullptr ? row.*column.text : RowDateText(table, row);
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
    text += CsvHeader();
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

std::string BuildTabSeparatedText(const MonthTable& table) {
    // No field holds a comma, so the CSV lines turn into tab-separated ones as they are.
    std::string text = CsvHeader();
    text += '\n';
    for (const DayRow& row : table.rows) {
        text += CsvDayLine(table, row);
        text += '\n';
    }
    std::replace(text.begin(), text.end(), ',', '\t');
    return text;
}

}  // namespace quintrel
