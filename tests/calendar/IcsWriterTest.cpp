// The calendar file read back with libical, and its instants checked against the local
// times of the month table through the system's time zone database.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "astro/CoreError.h"
#include "astro/mRiseSet.h"
#include "calendar/IcsWriter.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kBoston;
using testing::kTromso;
using testing::ValuesOf;

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";
constexpr UnixSeconds kStamp = 1'700'000'000;  // 2023-11-14 22:13:20 UTC

struct ParsedEvent {
    std::string summary;
    std::string description;
    bool allDay = false;
    UnixSeconds start = 0;
    UnixSeconds end = 0;
    std::string startText;
    std::vector<int> alarmSeconds;  ///< trigger offsets of its reminders
};

// UID -> event, as a calendar client would read the file.
std::map<std::string, ParsedEvent> Parse(const std::string& text) {
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    EXPECT_NE(calendar, nullptr);
    std::map<std::string, ParsedEvent> events;
    if (calendar == nullptr) {
        return events;
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ParsedEvent event;
        event.summary = icalcomponent_get_summary(e);
        event.description = icalcomponent_get_description(e);
        const icaltimetype start = icalcomponent_get_dtstart(e);
        event.allDay = start.is_date != 0;
        event.startText = icaltime_as_ical_string(start);
        event.start = icaltime_as_timet_with_zone(start, icaltimezone_get_utc_timezone());
        event.end = icaltime_as_timet_with_zone(icalcomponent_get_dtend(e),
                                                icaltimezone_get_utc_timezone());
        for (icalcomponent* a = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT);
             a != nullptr; a = icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT)) {
            icalproperty* trigger = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
            event.alarmSeconds.push_back(
                icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration));
        }
        const std::string uid = icalcomponent_get_uid(e);
        EXPECT_TRUE(events.emplace(uid, event).second) << "duplicate UID " << uid;
    }
    icalcomponent_free(calendar);
    return events;
}

std::vector<MonthTable> Months(const std::string& record, std::int16_t month, std::int16_t year,
                               int count = 1) {
    std::vector<MonthTable> tables;
    for (int i = 0; i < count; ++i) {
        tables.push_back(
            CalculateMonth(ValuesOf(record), record, static_cast<std::int16_t>(month + i), year));
    }
    return tables;
}

// The instant of a local wall-clock time in a zone of the time zone database.
UnixSeconds WallClockToUtc(const char* zone, int year, int month, int day, int minutes) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", zone, 1);
    tzset();
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = minutes / 60;
    local.tm_min = minutes % 60;
    local.tm_isdst = -1;
    const std::time_t instant = std::mktime(&local);
    old ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
    return instant;
}

struct ChangeMonthCase {
    const char* name;
    const std::string* record;
    const char* zone;
    std::int16_t month;
    int startDay;  ///< the table's first day of saving in this month, 0 if none
    int endDay;    ///< its last day, 0 if none
};

void PrintTo(const ChangeMonthCase& c, std::ostream* os) {
    *os << c.name;
}

class ChangeMonths : public ::testing::TestWithParam<ChangeMonthCase> {};

// Every period of the month is one event centred on the table's time as the real clock of
// the place reads it. Within 01:00-04:00 of a change day the table and the wall clock
// disagree by construction (the table has no repeated or skipped hour); those are pinned
// by TableTimeToUtc's own cases below.
TEST_P(ChangeMonths, PeriodsLandOnTheWallClockInstant) {
    const ChangeMonthCase& c = GetParam();
    const std::vector<MonthTable> tables = Months(*c.record, c.month, 2025);
    const auto events = Parse(BuildIcsText(tables, *c.record, CalendarOptions{}, kStamp));
    std::size_t periods = 0;
    int checked = 0;
    for (const DayRow& row : tables[0].rows) {
        const bool changeDay = row.Day == c.startDay || row.Day == c.endDay;
        const std::pair<const char*, const std::string*> times[] = {{"major1", &row.Maj1},
                                                                    {"major2", &row.Maj2},
                                                                    {"minor1", &row.Min1},
                                                                    {"minor2", &row.Min2}};
        for (const auto& [kind, text] : times) {
            const std::optional<int> minutes = mRiseSet::ClockTextMinutes(*text);
            if (!minutes) {
                continue;
            }
            ++periods;
            char date[24];
            std::snprintf(date, sizeof date, "2025%02d%02d", c.month, row.Day);
            const auto found =
                events.find(std::string(date) + "-" + kind + "@" + PlaceUidKey(*c.record));
            ASSERT_NE(found, events.end()) << date << " " << kind;
            EXPECT_TRUE(found->second.alarmSeconds.empty());
            if (changeDay && *minutes >= 60 && *minutes < 240) {
                continue;
            }
            const UnixSeconds expected = WallClockToUtc(c.zone, 2025, c.month, row.Day, *minutes);
            EXPECT_EQ((found->second.start + found->second.end) / 2, expected)
                << date << " " << kind << " " << *text;
            ++checked;
        }
    }
    EXPECT_EQ(events.size(), periods);
    EXPECT_GT(checked, 100);
}

const ChangeMonthCase kChangeMonths[] = {
    {"BostonStartsInMarch", &kBoston, "America/New_York", 3, 9, 0},
    {"BostonEndsInNovember", &kBoston, "America/New_York", 11, 0, 2},
    {"SydneyEndsInApril", &kSydney, "Australia/Sydney", 4, 0, 6},
    {"SydneyStartsInOctober", &kSydney, "Australia/Sydney", 10, 5, 0},
};
INSTANTIATE_TEST_SUITE_P(IcsWriter, ChangeMonths, ::testing::ValuesIn(kChangeMonths),
                         [](const auto& row) { return std::string(row.param.name); });

struct TableTimeCase {
    const char* name;
    int day;
    const char* time;
    UnixSeconds expectedOffsetHours;  ///< the clock the time is read on
};

void PrintTo(const TableTimeCase& c, std::ostream* os) {
    *os << c.name;
}

class SydneyChangeDays : public ::testing::TestWithParam<TableTimeCase> {};

TEST_P(SydneyChangeDays, ReadTimesOnTheTablesClock) {
    const TableTimeCase& c = GetParam();
    const PlaceTexts place = MakePlaceTexts(ValuesOf(kSydney), kSydney);
    const DaySerial date = DateSerial(2025, c.day >= 100 ? 10 : 4, c.day % 100);
    const UnixSeconds local =
        UtcMidnight(date) + static_cast<UnixSeconds>(*mRiseSet::ClockTextMinutes(c.time)) * 60;
    EXPECT_EQ(TableTimeToUtc(place, date, c.time), local - c.expectedOffsetHours * 3600);
}

// Days 1..30 are in April 2025 (saving ends on the 6th), 100 + d in October (starts on the 5th).
const TableTimeCase kSydneyChangeDays[] = {
    {"DayBeforeEndIsDaylightTime", 5, "23:50", 11},
    {"EndDayBeforeThreeIsDaylightTime", 6, "02:59", 11},
    {"EndDayFromThreeIsStandardTime", 6, "03:00", 10},
    {"DayAfterEndIsStandardTime", 7, "00:10", 10},
    {"StartDayBeforeTwoIsStandardTime", 105, "01:59", 10},
    {"StartDayFromTwoIsDaylightTime", 105, "02:00", 11},
};
INSTANTIATE_TEST_SUITE_P(IcsWriter, SydneyChangeDays, ::testing::ValuesIn(kSydneyChangeDays),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(IcsWriter, TextsWithoutATimeGiveNoInstant) {
    const PlaceTexts place = MakePlaceTexts(ValuesOf(kSydney), kSydney);
    for (const char* text : {":", "never", "sets", "", "7:05", "12:60"}) {
        EXPECT_EQ(TableTimeToUtc(place, DateSerial(2025, 4, 1), text), std::nullopt) << text;
    }
}

TEST(IcsWriter, PeriodBeforeMidnightStartsOnThePreviousDay) {
    // 29 April 2025: Best day, first major at 00:34, so two hours from 23:34 on the 28th.
    ASSERT_EQ(Months(kSydney, 4, 2025)[0].rows[28].Maj1, "00:34");
    const auto events = Parse(BuildIcsText(Months(kSydney, 4, 2025), kSydney, {}, kStamp));
    const ParsedEvent& major = events.at("20250429-major1@" + PlaceUidKey(kSydney));
    EXPECT_EQ(major.startText, "20250428T133400Z");
    EXPECT_EQ(major.end - major.start, 2 * 3600);
}

TEST(IcsWriter, YearsBeyondWhatLibicalHoldsAreRefused) {
    // libical writes the dates of years after 3000 as 00000000.
    EXPECT_NO_THROW(BuildIcsText(Months(kSydney, 12, 3000), kSydney, {}, kStamp));
    EXPECT_THROW(BuildIcsText(Months(kSydney, 1, 3001), kSydney, {}, kStamp), CoreError);
}

TEST(IcsWriter, ExportingAgainKeepsEveryUid) {
    const std::vector<MonthTable> tables = Months(kBoston, 12, 2024);
    CalendarOptions options;
    options.goodDays = true;
    const auto first = Parse(BuildIcsText(tables, kBoston, options, kStamp));
    const auto second = Parse(BuildIcsText(tables, kBoston, options, kStamp + 86400));
    ASSERT_EQ(first.size(), second.size());
    for (auto a = first.begin(), b = second.begin(); a != first.end(); ++a, ++b) {
        EXPECT_EQ(a->first, b->first);
    }
}

// Months handed over a few at a time make the very bytes of the whole calendar, each
// piece going out as it is made; months without any entry add nothing.
TEST(IcsWriter, StreamedMonthsMakeTheSameCalendar) {
    const std::vector<MonthTable> tables = Months(kBoston, 1, 2024, 12);
    CalendarOptions options;
    options.goodDays = true;
    options.alarmMinutes = 15;
    std::string streamed;
    int pieces = 0;
    IcsStreamWriter writer(kBoston, options, kStamp, [&](std::string_view piece) {
        streamed += piece;
        ++pieces;
    });
    EXPECT_EQ(pieces, 1);  // the head, before any month
    writer.AddMonths({tables.begin(), tables.begin() + 5});
    writer.AddMonths({});
    writer.AddMonths({tables.begin() + 5, tables.end()});
    writer.Finish();
    EXPECT_EQ(pieces, 4);
    EXPECT_EQ(streamed, BuildIcsText(tables, kBoston, options, kStamp));
    EXPECT_TRUE(streamed.ends_with("END:VCALENDAR\r\n"));
}

TEST(IcsWriter, GoodDaysFromTheMinimumRatingAndRemindersOnPeriodsOnly) {
    const std::vector<MonthTable> tables = Months(kSydney, 4, 2025, 2);
    CalendarOptions options;
    options.minorPeriods = false;
    options.goodDays = true;
    options.minimumRating = Rating::Good;
    options.alarmMinutes = 45;
    std::size_t goodDays = 0;
    for (const auto& [uid, event] : Parse(BuildIcsText(tables, kSydney, options, kStamp))) {
        goodDays += event.allDay;
        EXPECT_EQ(event.alarmSeconds, event.allDay ? std::vector<int>{} : std::vector<int>{-2700})
            << uid;
    }
    std::size_t expected = 0;
    for (const MonthTable& table : tables) {
        for (const DayRow& row : table.rows) {
            expected += row.Rating == "Good" || row.Rating == "Best";
        }
    }
    EXPECT_EQ(goodDays, expected);
    // 1 April 2025: Best, sunrise 07:07 and sunset 18:50 on the daylight clock.
    const ParsedEvent first = Parse(BuildIcsText(tables, kSydney, options, kStamp))
                                  .at("20250401-day@" + PlaceUidKey(kSydney));
    EXPECT_EQ(first.startText, "20250401");
    EXPECT_EQ(first.summary, "Best day **** (moon 20% lit, waxing)");
    EXPECT_NE(first.description.find("Sunrise 07:07, sunset 18:50\nMoonrise 10:09"),
              std::string::npos);
}

TEST(IcsWriter, DaylightOnlyFollowsPolarDayAndNight) {
    CalendarOptions options;
    options.daylightOnly = true;
    // Tromso has the sun up all June and down all December.
    EXPECT_EQ(Parse(BuildIcsText(Months(kTromso, 6, 2025), kTromso, {}, kStamp)).size(),
              Parse(BuildIcsText(Months(kTromso, 6, 2025), kTromso, options, kStamp)).size());
    EXPECT_TRUE(Parse(BuildIcsText(Months(kTromso, 12, 2025), kTromso, options, kStamp)).empty());
    const std::size_t all =
        Parse(BuildIcsText(Months(kBoston, 6, 2025), kBoston, {}, kStamp)).size();
    const std::size_t day =
        Parse(BuildIcsText(Months(kBoston, 6, 2025), kBoston, options, kStamp)).size();
    EXPECT_LT(day, all);
    EXPECT_GT(day, all / 3);
}

TEST(IcsWriter, CalendarCarriesPlaceStampAndProduct) {
    const std::string text = BuildIcsText(Months(kSydney, 4, 2025), kSydney, {}, kStamp);
    for (const char* line :
         {"\r\nPRODID:-//Varnel//Quintrel ", "\r\nVERSION:2.0\r\n",
          "\r\nDTSTAMP:20231114T221320Z\r\n", "\r\nLOCATION:Australia - NSW (Sydney)\r\n",
          "\r\nGEO:-33.866665;151.216660\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace quintrel
