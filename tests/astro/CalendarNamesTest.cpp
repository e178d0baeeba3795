#include "astro/CalendarNames.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

TEST(CalendarNames, MonthNamesFullAndShort) {
    const char* const full[] = {"January",   "February", "March",    "April",
                                "May",       "June",     "July",     "August",
                                "September", "October",  "November", "December"};
    for (std::int16_t month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        EXPECT_EQ(GetMonthName(month, true), full[month - 1]);
        EXPECT_EQ(GetMonthName(month, false), std::string(full[month - 1]).substr(0, 3));
    }
    EXPECT_EQ(GetMonthName(9, false), "Sep");
    EXPECT_EQ(GetMonthName(5, false), "May");
}

TEST(CalendarNames, MonthOutsideRangeIsEmpty) {
    for (std::int16_t month : {0, 13, -1, 32767}) {
        EXPECT_EQ(GetMonthName(month, true), "") << month;
        EXPECT_EQ(GetMonthName(month, false), "") << month;
    }
}

TEST(CalendarNames, WeekdayOneIsSunday) {
    const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
    for (std::int16_t weekday = 1; weekday <= 7; ++weekday) {
        EXPECT_EQ(GetDayName(weekday), names[weekday - 1]);
    }
    EXPECT_EQ(GetDayName(0), "");
    EXPECT_EQ(GetDayName(8), "");
}

}  // namespace
}  // namespace quintrel
