#include <gtest/gtest.h>

#include "calendar/CalendarOptions.h"

namespace quintrel {
namespace {

TEST(CalendarOptions, ChoicesCountOnlyWithAnEntryThatReadsThem) {
    struct Row {
        bool major, minor, days;
        bool canExport, minimumRating, periodChoices;
    };
    const Row rows[] = {
        {false, false, false, false, false, false},  // nothing to export
        {true, false, false, true, false, true},    {false, true, false, true, false, true},
        {false, false, true, true, true, false},    {true, true, true, true, true, true},
    };
    for (const Row& row : rows) {
        CalendarOptions options;
        options.majorPeriods = row.major;
        options.minorPeriods = row.minor;
        options.goodDays = row.days;
        const CalendarChoiceStates states = ChoiceStates(options);
        EXPECT_EQ(states.canExport, row.canExport) << row.major << row.minor << row.days;
        EXPECT_EQ(states.minimumRating, row.minimumRating) << row.major << row.minor << row.days;
        EXPECT_EQ(states.periodChoices, row.periodChoices) << row.major << row.minor << row.days;
    }
}

TEST(CalendarOptions, RatingsByExactNameAndUnratedDaysAsPoor) {
    EXPECT_EQ(RatingFromText("Best"), RatingLevel::Best);
    EXPECT_EQ(RatingFromText("best"), std::nullopt);
    EXPECT_EQ(PeriodLengthsFor("").majorMinutes, PeriodLengthsFor("Poor").majorMinutes);
    EXPECT_GT(PeriodLengthsFor("Best").minorMinutes, PeriodLengthsFor("Fair").minorMinutes);
}

}  // namespace
}  // namespace quintrel
