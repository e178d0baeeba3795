#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "astro/CivilDate.h"
#include "locations/DaylightSaving.h"
#include "locations/ZoneRule.h"

namespace quintrel {
namespace {

constexpr int kHour = 3600;
constexpr int kFirstYear = 2027;

// The instant at which a wall clock of `offset` seconds reads `hour`:`minute` on `day`.
std::int64_t Instant(DaySerial day, int hour, int minute, int offset) {
    return (static_cast<std::int64_t>(day) - 25569) * 86400 + hour * kHour + minute * 60 - offset;
}

struct Change {
    int week, weekday, month, hour, minute;
};

// Ten years of transitions of a zone that moves its clock by `saving` seconds from
// `standard` at `start` and back at `end`, both read on the clock before the change.
std::vector<ZoneTransition> Transitions(int standard, int saving, Change start, Change end) {
    std::vector<ZoneTransition> list;
    for (int year = kFirstYear; year < kFirstYear + 10; ++year) {
        const auto y = static_cast<std::int16_t>(year);
        const DaySerial on = WeekdayRuleDate(start.week, start.weekday, start.month, y);
        const DaySerial off = WeekdayRuleDate(end.week, end.weekday, end.month, y);
        list.push_back(
            {Instant(on, start.hour, start.minute, standard), standard, standard + saving});
        list.push_back(
            {Instant(off, end.hour, end.minute, standard + saving), standard + saving, standard});
    }
    return list;
}

const char* const kNoWeekdayRule =
    "Clocks here change on dates that follow no fixed weekday rule; the table will use "
    "standard time all year.";

struct RuleCase {
    const char* name;
    int standard;
    std::vector<ZoneTransition> transitions;
    bool north;
    const char* zone;  // sign and hours
    const char* start;
    const char* end;
    const char* note;
};

void PrintTo(const RuleCase& c, std::ostream* out) {
    *out << c.name;
}

class DeriveZoneRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(DeriveZoneRuleTest, GivesTheRecordColumnsOrSaysWhyNot) {
    const RuleCase& c = GetParam();
    const ZoneRuleResult result = DeriveZoneRule(c.standard, c.transitions, c.north, kFirstYear);
    EXPECT_EQ(result.zoneSign + result.zoneHours, c.zone);
    EXPECT_EQ(result.dst, std::string(c.start) != "");
    EXPECT_EQ(result.startRule, c.start);
    EXPECT_EQ(result.endRule, c.end);
    EXPECT_EQ(result.note, c.note);
}

// Chile's change on the first Sunday on or after the 2nd: the Sundays of 2nd-8th.
std::vector<ZoneTransition> ChileLike() {
    std::vector<ZoneTransition> list;
    for (int year = kFirstYear; year < kFirstYear + 10; ++year) {
        DaySerial end = DateSerial(year, 4, 2);
        DaySerial start = DateSerial(year, 9, 2);
        while (WeekdayOf(end) != 1) {
            ++end;
        }
        while (WeekdayOf(start) != 1) {
            ++start;
        }
        list.push_back({Instant(end, 0, 0, -3 * kHour), -3 * kHour, -4 * kHour});
        list.push_back({Instant(start, 0, 0, -4 * kHour), -4 * kHour, -3 * kHour});
    }
    return list;
}

INSTANTIATE_TEST_SUITE_P(
    Zones, DeriveZoneRuleTest,
    testing::Values(
        RuleCase{"NoSaving", 5 * kHour + 45 * 60, {}, true, "+5.75", "", "", ""},
        RuleCase{"UnitedStates", -5 * kHour,
                 Transitions(-5 * kHour, kHour, {2, 1, 3, 2, 0}, {1, 1, 11, 2, 0}), true, "-5",
                 "022103", "021111", ""},
        // The last Sunday is sometimes the fourth: only "last" names every year.
        RuleCase{"LastSundayNotFourth", 0, Transitions(0, kHour, {5, 1, 3, 1, 0}, {5, 1, 10, 2, 0}),
                 true, "+0", "015103", "025110", ""},
        RuleCase{"SouthAcrossNewYear", 12 * kHour,
                 Transitions(12 * kHour, kHour, {5, 1, 9, 2, 0}, {1, 1, 4, 3, 0}), false, "+12",
                 "025109", "031104", ""},
        // Egypt: Friday 00:00, and back at "24:00" on the last Thursday of October, which
        // is the next day on the clock and, in 2030, the 1st of November.
        RuleCase{"MidnightEndAfterLastThursday", 2 * kHour,
                 Transitions(2 * kHour, kHour, {5, 6, 4, 0, 0}, {5, 5, 10, 24, 0}), true, "+2", "",
                 "", kNoWeekdayRule},
        // A change late in the evening belongs to the next day, when the table moves the
        // clock: Easter Island's 22:00 on Saturdays are the Sundays of the rule.
        RuleCase{"LateEveningIsNextDay", -6 * kHour,
                 Transitions(-6 * kHour, kHour, {1, 7, 9, 22, 0}, {1, 7, 4, 22, 0}), false, "-6",
                 "", "", kNoWeekdayRule},
        RuleCase{"FirstSundayFromTheSecond", -4 * kHour, ChileLike(), false, "-4", "", "",
                 kNoWeekdayRule},
        RuleCase{"HalfHourSaving", 10 * kHour + 30 * 60,
                 Transitions(10 * kHour + 30 * 60, 30 * 60, {1, 1, 10, 2, 0}, {1, 1, 4, 2, 0}),
                 false, "+10.5", "", "",
                 "Clocks here move by 30 minutes, not a whole hour; the table will use standard "
                 "time all year."},
        RuleCase{"BackFromStandard", kHour,
                 Transitions(kHour, -kHour, {2, 1, 3, 3, 0}, {2, 1, 4, 2, 0}), true, "+1", "", "",
                 "Clocks here go back an hour from standard time for part of the year, on dates "
                 "that follow no fixed weekday rule; the table will use standard time all year."},
        // Ireland: the database's standard is summer time, winter a saving of minus an hour.
        RuleCase{"WinterAsNegativeSaving", kHour,
                 Transitions(kHour, -kHour, {5, 1, 10, 2, 0}, {5, 1, 3, 1, 0}), true, "+0",
                 "015103", "025110", ""},
        RuleCase{"NorthernRuleSouthOfEquator", -3 * kHour,
                 Transitions(-3 * kHour, kHour, {2, 1, 3, 2, 0}, {1, 1, 11, 2, 0}), false, "-3", "",
                 "",
                 "The saving here runs within the calendar year, which the place list can hold "
                 "only north of the equator; the table will use standard time all year."},
        RuleCase{"ChathamNeedsFiveCharacters",
                 12 * kHour + 45 * 60,
                 {},
                 false,
                 "+",
                 "",
                 "",
                 "Standard time here is +12:45 from Greenwich, which needs 5 characters (12.75) "
                 "where the place list has 4; enter the nearest zone by hand."},
        // Samoa, Tonga and the Line Islands keep the real zones furthest ahead.
        RuleCase{"ThirteenAhead", 13 * kHour, {}, false, "+13", "", "", ""},
        RuleCase{"FourteenAhead", 14 * kHour, {}, false, "+14", "", "", ""},
        RuleCase{"FifteenAheadIsNoRealZone",
                 15 * kHour,
                 {},
                 false,
                 "+",
                 "",
                 "",
                 "Standard time here is +15:00 from Greenwich, which the place list cannot hold "
                 "(12 hours behind to 14 ahead, in quarter hours); enter the nearest zone by "
                 "hand."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DeriveZoneRule, HoursTextIgnoresTheDecimalCommaOfTheLocale) {
    const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (previous == nullptr) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale";
    }
    const ZoneRuleResult result = DeriveZoneRule(-(9 * kHour + 30 * 60), {}, false, kFirstYear);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(result.zoneSign + result.zoneHours, "-9.5");
}

TEST(DeriveZoneRule, SavingThatStopsWithinTheYearsIsRefused) {
    std::vector<ZoneTransition> list = Transitions(kHour, kHour, {5, 1, 3, 2, 0}, {5, 1, 10, 3, 0});
    list.resize(list.size() - 4);  // the last two years keep standard time
    const ZoneRuleResult result = DeriveZoneRule(kHour, list, true, kFirstYear);
    EXPECT_FALSE(result.dst);
    EXPECT_NE(result.note.find("do not change once each way every year"), std::string::npos);
}

TEST(DeriveZoneRule, ChangesOutsideTheYearsAreIgnored) {
    std::vector<ZoneTransition> list = Transitions(kHour, kHour, {5, 1, 3, 2, 0}, {5, 1, 10, 3, 0});
    // An old rule the year before the checked years does not count against the new one.
    list.push_back({Instant(DateSerial(kFirstYear - 1, 4, 7), 2, 0, kHour), kHour, 2 * kHour});
    const ZoneRuleResult result = DeriveZoneRule(kHour, list, true, kFirstYear);
    EXPECT_EQ(result.startRule, "025103");
    EXPECT_EQ(result.endRule, "035110");
}

TEST(ChangeDayOf, ReadsTheClockBeforeTheChangeAndMovesEveningChangesToTheNextDay) {
    const DaySerial saturday = DateSerial(2027, 9, 4);
    const ChangeDay morning = ChangeDayOf({Instant(saturday, 2, 0, -3 * kHour), -3 * kHour, 0});
    EXPECT_EQ(morning.day, saturday);
    EXPECT_EQ(morning.hour, 2);
    const ChangeDay evening = ChangeDayOf({Instant(saturday, 22, 0, -6 * kHour), -6 * kHour, 0});
    EXPECT_EQ(evening.day, saturday + 1);
    EXPECT_EQ(evening.hour, 0);
    // Before 1970 the seconds are negative; the day must still be the clock's day.
    const ChangeDay old = ChangeDayOf({Instant(DateSerial(1950, 4, 2), 1, 0, 0), 0, kHour});
    EXPECT_EQ(old.day, DateSerial(1950, 4, 2));
    EXPECT_EQ(old.hour, 1);
}

}  // namespace
}  // namespace quintrel
