#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "locations/DaylightSaving.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::Record;

// A place record with a zone of +10 (or `zone`) and the two rules.
std::string RuleRecord(std::string_view start, std::string_view end,
                       std::string_view latitudeSign = "-", std::string_view zone = "  10") {
    std::string tail = std::string(latitudeSign) + " 33 52+151 13+" + std::string(zone) + "1";
    return Record("1", "Test", "Place", tail + std::string(start) + std::string(end));
}

const std::string kLastSundayMarchToLastSundayOctober = RuleRecord("025103", "035110", "+");
const std::string kLastSundayOctoberToLastSundayMarch = RuleRecord("025110", "035103");
// Today's New Zealand rule: last Sunday of September to first Sunday of April.
const std::string kNewZealand = RuleRecord("025109", "031104");

DaySerial Day(int year, int month, int day) {
    return DateSerial(year, month, day);
}

struct DayCase {
    const char* name;
    std::string record;
    const char* latitude;
    DaySerial day;
    const char* zone;  // expected offset text
    bool isStartDay;
    bool isEndDay;
};

void PrintTo(const DayCase& c, std::ostream* out) {
    *out << c.name;
}

class ApplyDaylightSavingTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(ApplyDaylightSavingTest, GivesTheOffsetAndChangeDays) {
    const DayCase& c = GetParam();
    const auto result = ApplyDaylightSaving(c.record, "10", "1", c.latitude, c.day);
    EXPECT_EQ(result.zoneText, c.zone);
    EXPECT_EQ(result.isStartDay, c.isStartDay);
    EXPECT_EQ(result.isEndDay, c.isEndDay);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, ApplyDaylightSavingTest,
    ::testing::Values(
        // North: 30 March to 26 October 2003, both ends included.
        DayCase{"NorthDayBeforeStart", kLastSundayMarchToLastSundayOctober, "42.35",
                Day(2003, 3, 29), "10", false, false},
        DayCase{"NorthStartDay", kLastSundayMarchToLastSundayOctober, "42.35", Day(2003, 3, 30),
                "11", true, false},
        DayCase{"NorthSummer", kLastSundayMarchToLastSundayOctober, "42.35", Day(2003, 7, 1), "11",
                false, false},
        DayCase{"NorthEndDay", kLastSundayMarchToLastSundayOctober, "42.35", Day(2003, 10, 26),
                "11", false, true},
        DayCase{"NorthDayAfterEnd", kLastSundayMarchToLastSundayOctober, "42.35", Day(2003, 10, 27),
                "10", false, false},
        // South, rule ending in March: 27 Oct 2002 - 30 Mar 2003, 26 Oct 2003 - 28 Mar 2004.
        DayCase{"SouthJanuary", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 1, 15),
                "11", false, false},
        DayCase{"SouthEndDay", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 3, 30),
                "11", false, true},
        DayCase{"SouthDayAfterEnd", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 3, 31),
                "10", false, false},
        DayCase{"SouthJune", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 6, 15), "10",
                false, false},
        DayCase{"SouthStartDay", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 10, 26),
                "11", true, false},
        DayCase{"SouthDecember", kLastSundayOctoberToLastSundayMarch, "-33.87", Day(2003, 12, 20),
                "11", false, false},
        DayCase{"EquatorCountsAsSouth", kLastSundayOctoberToLastSundayMarch, "0", Day(2003, 1, 15),
                "11", false, false},
        // South, rule ending in April: in 2025 the saving ends on Sunday 6 April, so the
        // first days of April are still inside the period that began on 29 September 2024.
        DayCase{"AprilEndFirstOfApril", kNewZealand, "-43.53", Day(2025, 4, 1), "11", false, false},
        DayCase{"AprilEndDay", kNewZealand, "-43.53", Day(2025, 4, 6), "11", false, true},
        DayCase{"AprilEndDayAfter", kNewZealand, "-43.53", Day(2025, 4, 7), "10", false, false},
        DayCase{"AprilEndStartDay", kNewZealand, "-43.53", Day(2025, 9, 28), "11", true, false},
        DayCase{"AprilEndDayBeforeStart", kNewZealand, "-43.53", Day(2025, 9, 27), "10", false,
                false},
        DayCase{"AprilEndNewYear", kNewZealand, "-43.53", Day(2026, 1, 1), "11", false, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ApplyDaylightSaving, OffsetTextIsTheShortestDecimal) {
    const DaySerial summer = Day(2003, 7, 1);
    const struct {
        const char* zone;
        const char* raised;
    } cases[] = {{"10", "11"},     {"9.5", "10.5"}, {"-5", "-4"},    {"12", "13"},
                 {"-3.5", "-2.5"}, {"-1", "0"},     {"5.75", "6.75"}};
    for (const auto& c : cases) {
        EXPECT_EQ(
            ApplyDaylightSaving(kLastSundayMarchToLastSundayOctober, c.zone, "1", "40", summer)
                .zoneText,
            c.raised)
            << c.zone;
    }
}

TEST(ApplyDaylightSaving, RecordsWithoutAUsableRuleNeverChangeTheOffset) {
    const DaySerial summer = Day(2003, 7, 1);
    const DaySerial startDay = Day(2003, 3, 30);
    const std::string withRules = kLastSundayMarchToLastSundayOctober;
    const struct {
        const char* name;
        std::string record;
        const char* flag;
    } cases[] = {
        {"FiftyNineCharacters", withRules.substr(0, 59), "1"},
        {"FlagZero", withRules, "0"},
        {"FlagEmpty", withRules, ""},
        {"SeventyCharacters", withRules.substr(0, 70), "1"},
        {"SeventyTwoCharacters", withRules + " ", "1"},
        // Damaged digits: the week and weekday would send the date search on for ever.
        {"WeekSix", RuleRecord("026103", "035110", "+"), "1"},
        {"WeekZero", RuleRecord("020103", "035110", "+"), "1"},
        {"WeekdayEight", RuleRecord("025803", "035110", "+"), "1"},
        {"WeekdayZero", RuleRecord("025003", "035110", "+"), "1"},
        {"MonthThirteen", RuleRecord("025113", "035110", "+"), "1"},
        {"MonthZero", RuleRecord("025100", "035110", "+"), "1"},
        {"EndRuleLetters", RuleRecord("025103", "03xy10", "+"), "1"},
        // The hour is when the clock moves, so it is checked like the other digits.
        {"HourTwentyFour", RuleRecord("245103", "035110", "+"), "1"},
        {"HourBlank", RuleRecord(" 25103", "035110", "+"), "1"},
        {"EndHourLetters", RuleRecord("025103", "ab5110", "+"), "1"},
    };
    for (const auto& c : cases) {
        for (const DaySerial day : {summer, startDay}) {
            const auto result = ApplyDaylightSaving(c.record, "10", c.flag, "40", day);
            EXPECT_EQ(result.zoneText, "10") << c.name;
            EXPECT_FALSE(result.isStartDay) << c.name;
            EXPECT_FALSE(result.isEndDay) << c.name;
        }
    }
}

// The period a day is judged by, from the rule dates as documented: the day's year north
// of the equator; to the south the period that spans the new year and holds the day.
SavingPeriod DocumentedPeriod(const std::string& record, double latitude, DaySerial day) {
    const auto year = static_cast<std::int16_t>(DateFromSerial(day).year);
    if (latitude > 0) {
        return {DstStartDate(record, year), DstEndDate(record, year)};
    }
    if (day <= DstEndDate(record, year)) {
        return {DstStartDate(record, static_cast<std::int16_t>(year - 1)),
                DstEndDate(record, year)};
    }
    return {DstStartDate(record, year), DstEndDate(record, static_cast<std::int16_t>(year + 1))};
}

// The periods worked out are kept for the days they hold: asked in turn for places with
// other rules, the other hemisphere and days back and forth across the years, every
// answer is still that place's own.
TEST(SavingPeriodOf, AnswersEachPlaceItsOwnPeriodWhateverWasAskedBefore) {
    const struct {
        std::string record;
        double latitude;
    } places[] = {
        {kLastSundayMarchToLastSundayOctober, 40},
        {kLastSundayMarchToLastSundayOctober, -33},  // the same rules south of the equator
        {kLastSundayOctoberToLastSundayMarch, -33},
        {kNewZealand, -36},
        {RuleRecord("022103", "021111", "+"), 42},  // second Sunday of March, first of November
    };
    const DaySerial first = Day(1999, 1, 1);
    const DaySerial last = Day(2004, 12, 31);
    for (DaySerial step = 0; step <= last - first; step += 5) {
        // Days from both ends of the span, so the places also alternate between years.
        for (const DaySerial day : {first + step, last - step}) {
            for (const auto& place : places) {
                const auto period = SavingPeriodOf(place.record, "1", place.latitude, day);
                const SavingPeriod expected = DocumentedPeriod(place.record, place.latitude, day);
                ASSERT_TRUE(period.has_value());
                EXPECT_EQ(period->start, expected.start) << place.record << " day " << day;
                EXPECT_EQ(period->end, expected.end) << place.record << " day " << day;
            }
        }
    }
    EXPECT_FALSE(SavingPeriodOf(kNewZealand, "0", -36, Day(2003, 1, 1)));
    EXPECT_FALSE(SavingPeriodOf(RuleRecord("025803", "035110"), "1", -36, Day(2003, 1, 1)));
}

// South of the equator the last days of 9999 are judged by a period ending in 10000, which
// has no date: that fails every time it is asked, also after the year's earlier days
// were answered.
TEST(SavingPeriodOf, FailsEveryTimeAndNeverKeepsAFailure) {
    const DaySerial beforeEnd = Day(9999, 1, 10);
    const DaySerial afterEnd = Day(9999, 12, 1);
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(SavingPeriodOf(kNewZealand, "1", -36, beforeEnd).has_value());
        EXPECT_THROW(SavingPeriodOf(kNewZealand, "1", -36, afterEnd), CoreError);
    }
}

TEST(DstRuleDates, WeekdayOfTheMonth) {
    const struct {
        const char* name;
        const char* rule;
        int year;
        DaySerial expected;
    } cases[] = {
        {"SecondMondayOfMarch", "002203", 2003, Day(2003, 3, 10)},  // from Saturday 8 March
        {"FirstSundayOfAMonthStartingOnSunday", "001106", 2003, Day(2003, 6, 1)},
        {"FirstSundayOfAMonthStartingOnMonday", "001109", 2003, Day(2003, 9, 7)},
        {"FourthFridayOfMarch", "004603", 2025, Day(2025, 3, 28)},
        {"LastSundayOfMarch", "025103", 2003, Day(2003, 3, 30)},
        {"LastSundayOnTheLastDay", "025108", 2003, Day(2003, 8, 31)},
        {"LastSaturdayOfDecember", "005712", 2005, Day(2005, 12, 31)},
        {"LastThursdayOfFebruaryInALeapYear", "005502", 2024, Day(2024, 2, 29)},
    };
    for (const auto& c : cases) {
        const std::string record = RuleRecord(c.rule, c.rule);
        const auto year = static_cast<std::int16_t>(c.year);
        EXPECT_EQ(DstStartDate(record, year), c.expected) << c.name;
        EXPECT_EQ(DstEndDate(record, year), c.expected) << c.name;
    }
}

TEST(DstRuleDates, DamagedRuleThrowsNamingTheRecord) {
    const std::string record = RuleRecord("029103", "035110");
    EXPECT_FALSE(DstRulesUsable(record));
    try {
        DstStartDate(record, 2003);
        FAIL() << "no error";
    } catch (const CoreError& error) {
        EXPECT_NE(std::string(error.what()).find(record), std::string::npos) << error.what();
    }
    EXPECT_NO_THROW(DstEndDate(record, 2003));
}

}  // namespace
}  // namespace quintrel
