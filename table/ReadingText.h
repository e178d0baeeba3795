#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/DayPicture.h"
#include "table/MonthTable.h"
#include "table/YearView.h"

namespace quintrel {

// The program's output as sentences a screen reader can read out: the month report's day
// lines, the day picture and the year at a glance say in words what they draw. Each line
// names what its values are, so a line makes sense when it is heard on its own.

/// One day line of the month report: "Sunday 6: sunrise 06:12, sunset 17:45; moonrise 13:10,
/// moonset none; moon 78% lit, waxing; major times 13:36 and 01:10; minor times 07:20 and
/// 19:45; rating Good, 3 stars". A time the table leaves out (":") reads "none".
std::string DayLineText(const DayRow& row);

/// The lines that head a month report page: its title, the place line and what the columns
/// hold.
std::vector<std::string> MonthReportHeadingLines(std::string_view title,
                                                 std::string_view placeLine);

/// The day picture in words: title, place, clock, the sun's and the moon's rise and set, the
/// stretches of night, twilight and daylight, the activity periods with their spans, the
/// moon and the day's rating. `placeText` is the place list's display text.
std::vector<std::string> DayPictureLines(const DayPicture& picture, std::string_view placeText,
                                         std::string_view placeLine);

/// The year at a glance in words: title, place line, then one line per month with each
/// day's rating and the days of new and full moon.
std::vector<std::string> YearSheetLines(const YearSheet& sheet);

/// "06:05" for 6.08 hours after midnight (to the nearest minute; 24:00 for the day's end).
std::string HoursClockText(double hours);

}  // namespace quintrel
