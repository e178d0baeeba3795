#include "table/YearView.h"

#include "astro/CalendarNames.h"
#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "astro/mRiseSet.h"
#include "table/Planner.h"
#include "table/TableYears.h"
#include "table/arReport.h"

namespace quintrel {

std::string YearViewTitle(std::string_view placeName, std::int16_t year) {
    return "Quintrel Year at a Glance: " + std::string(placeName) + " " + std::to_string(year);
}

YearSheet BuildYearSheet(std::string_view record, std::string_view placeName, std::int16_t year) {
    if (!IsTableYear(year)) {
        throw CoreError(YearOutsideText(year));
    }
    PlanRequest request;
    request.places = {{std::string(record), std::string(placeName)}};
    request.firstMonth = 1;
    request.firstYear = year;
    request.monthCount = 12;
    const PlanResult every = RunPlan(request);

    YearSheet sheet;
    sheet.year = year;
    sheet.title = YearViewTitle(placeName, year);
    sheet.placeLine = PlaceLineText(record);
    std::vector<bool> waxing;  // at the start of each day of the year, and of the next one
    for (const PlanDay& planned : every.days) {
        YearMonth& month = sheet.months[static_cast<std::size_t>(planned.month - 1)];
        month.month = planned.month;
        YearDay day;
        day.day = planned.row.Day;
        day.weekday = WeekdayNumber(planned.row.DayName);
        const int firstColumn = WeekdayOf(DateSerial(year, planned.month, 1)) - 1;
        day.week = (firstColumn + day.day - 1) / 7;
        day.ratingRank = RatingRank(planned.row.Rating);
        month.days.push_back(day);
        waxing.push_back(planned.row.WaxWan == "+");
    }
    const std::int32_t nextNewYear = mRiseSet::JulianDayNumber(year + 1, 1, 1);
    waxing.push_back(
        mRiseSet::MoonPhase(static_cast<float>(static_cast<double>(nextNewYear) - 0.5)).waxing);

    std::size_t index = 0;
    for (YearMonth& month : sheet.months) {
        for (YearDay& day : month.days) {
            if (!waxing[index] && waxing[index + 1]) {
                day.moon = MoonMark::NewMoon;
            } else if (waxing[index] && !waxing[index + 1]) {
                day.moon = MoonMark::FullMoon;
            }
            ++index;
        }
    }
    return sheet;
}

}  // namespace quintrel
