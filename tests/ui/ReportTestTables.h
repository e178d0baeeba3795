#pragma once

// Month tables built by hand for the report tests: the report must show whatever the
// table holds, so these do not need the astronomy, only recognisable values.

#include <QString>
#include <cstdint>
#include <string>

#include "astro/CalendarNames.h"
#include "table/MonthTable.h"

namespace quintrel::test {

/// A Windows-1252 location record: Sydney, 33 52 S, 151 13 E, GMT +10, daylight saving.
inline std::string SydneyRecord() {
    return std::string("0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104");
}

inline std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

/// `days` rows whose texts tell their day: sunrise 05:dd, sunset 20:dd and so on; the
/// first weekday is `firstWeekday` (1 = Sunday). Day 3 has no moonrise and day 5 is a
/// polar day, so the odd display words appear too.
inline MonthTable HandMadeTable(int days, std::int16_t month = 1, std::int16_t year = 2004,
                                int firstWeekday = 5) {
    MonthTable table;
    table.Month = month;
    table.Year = year;
    static const char* ratings[] = {"Poor", "Fair", "Good", "Best"};
    for (int day = 1; day <= days; ++day) {
        DayRow row;
        row.Day = static_cast<std::int16_t>(day);
        row.DayName = GetDayName(static_cast<std::int16_t>((firstWeekday - 1 + day - 1) % 7 + 1));
        const std::string dd = TwoDigits(day);
        row.SRise = day == 5 ? "never" : "05:" + dd;
        row.SSet = day == 5 ? "sets" : "20:" + dd;
        row.MRise = day == 3 ? ":" : "14:" + dd;
        row.MSet = "01:" + dd;
        row.Phase = std::to_string(day * 3 > 100 ? 100 : day * 3);
        row.WaxWan = day % 2 ? "+" : "-";
        row.Maj1 = "07:" + dd;
        row.Maj2 = day == 7 ? ":" : "19:" + dd;
        row.Min1 = "01:" + dd;
        row.Min2 = "13:" + dd;
        row.Rating = ratings[day % 4];
        row.Stars = std::string(static_cast<std::size_t>(day % 4 + 1), '*');
        table.rows.push_back(row);
    }
    return table;
}

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace quintrel::test
