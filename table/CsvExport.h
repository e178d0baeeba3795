#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/MonthTable.h"

namespace quintrel {

/// The column header line of the comma-separated export, without line end: the day
/// columns' CSV headings joined by commas.
std::string CsvHeader();

/// The first line of the export, without line end: the program's version and the
/// moment of the export, whose local time and date texts the caller supplies already
/// written in the user's formats (so the text never depends on the clock here).
std::string CsvPreamble(std::string_view timeText, std::string_view dateText);

/// The row's date as yyyymmdd (20040105), from the month and year the table was computed for.
std::string RowDateText(const MonthTable& table, const DayRow& row);

/// One day line, without line end: yyyymmdd from the month and year the table was
/// computed for in the day's column, then the row's other texts as stored, joined by
/// commas.
std::string CsvDayLine(const MonthTable& table, const DayRow& row);

/// The day lines of one table, each ended by CR LF: what a table adds to an export.
std::string CsvDayLines(const MonthTable& table);

/// The whole export file: preamble, header, then the day lines of every table in order,
/// each line ended by CR LF. Several tables (consecutive months) share one preamble and
/// one header.
std::string BuildCsvText(const std::vector<MonthTable>& tables, std::string_view timeText,
                         std::string_view dateText);

/// The export file of a single month table.
std::string BuildCsvText(const MonthTable& table, std::string_view timeText,
                         std::string_view dateText);

/// The table for the clipboard: the CSV header and day lines with tabs for commas, so a
/// spreadsheet or a mail takes it as columns; lines end with LF, no preamble.
std::string BuildTabSeparatedText(const MonthTable& table);

}  // namespace quintrel
