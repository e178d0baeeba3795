#include "locations/ZoneRule.h"

#include "locations/LocationFormChecks.h"
#include "locations/LocationRecord.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

#include "astro/CivilDate.h"
#include "locations/DaylightSaving.h"

namespace quintrel {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int32_t kUnixEpochDay = 25569;  // 1 January 1970 as a day count
constexpr int kHour = 3600;

const char* const kStandardAllYear = "; the table will use standard time all year.";

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

struct WeekdayRule {
    int week = 0;  // 1-4, 5 = last
    int weekday = 0;
    int month = 0;
};

// The rules that could name `day`: its week of the month, and "last" when no later
// weekday of the same name fits into the month.
std::vector<WeekdayRule> RulesNaming(std::int32_t day) {
    const CivilDate date = DateFromSerial(day);
    std::vector<WeekdayRule> rules;
    const int week = (date.day - 1) / 7 + 1;
    if (week <= 4) {
        rules.push_back({week, WeekdayOf(day), date.month});
    }
    if (date.day + 7 > DaysInMonth(date.year, date.month)) {
        rules.push_back({5, WeekdayOf(day), date.month});
    }
    return rules;
}

// The one rule that names every day of `days` (one per year), if there is one.
std::optional<WeekdayRule> CommonRule(const std::vector<ChangeDay>& days) {
    for (const WeekdayRule& rule : RulesNaming(days.front().day)) {
        const bool namesAll = std::all_of(days.begin(), days.end(), [&](const ChangeDay& c) {
            const auto year = static_cast<std::int16_t>(DateFromSerial(c.day).year);
            return WeekdayRuleDate(rule.week, rule.weekday, rule.month, year) == c.day;
        });
        if (namesAll) {
            return rule;
        }
    }
    return std::nullopt;
}

std::string RuleText(const WeekdayRule& rule, int hour) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%d%d%02d", hour, rule.week, rule.weekday, rule.month);
    return text;
}

// Hours ahead of Greenwich as the record writes them, without sign: "12", "9.5", "5.75".
// Built from whole quarters, never through the C library's number formatting, whose
// decimal point follows the user's locale ("9,5").
// Nothing for an offset outside what real places keep (ZoneHoursLimit) or not in quarter
// hours; the text may still be too long for the record's four columns ("12.75").
std::optional<std::string> HoursText(int offset) {
    const int magnitude = std::abs(offset);
    if (magnitude % 900 != 0 || magnitude > ZoneHoursLimit(offset < 0 ? '-' : '+') * kHour) {
        return std::nullopt;
    }
    static const char* const kQuarters[] = {"", ".25", ".5", ".75"};
    return std::to_string(magnitude / kHour) + kQuarters[magnitude % kHour / 900];
}

std::string OffsetText(int offset) {
    char text[32];
    const int magnitude = std::abs(offset);
    std::snprintf(text, sizeof text, "%c%d:%02d", offset < 0 ? '-' : '+', magnitude / kHour,
                  magnitude % kHour / 60);
    return text;
}

// Why the transitions cannot be a saving of one hour from standard time, or empty.
std::string OffsetProblem(int standardOffset, const std::vector<ZoneTransition>& transitions) {
    for (const ZoneTransition& t : transitions) {
        const int amount = std::abs(t.offsetAfter - t.offsetBefore);
        if (amount != kHour) {
            return "Clocks here move by " + std::to_string(amount / 60) +
                   " minutes, not a whole hour" + kStandardAllYear;
        }
        const bool start =
            t.offsetBefore == standardOffset && t.offsetAfter == standardOffset + kHour;
        const bool end =
            t.offsetBefore == standardOffset + kHour && t.offsetAfter == standardOffset;
        if (start || end) {
            continue;
        }
        if (std::min(t.offsetBefore, t.offsetAfter) < standardOffset) {
            return "Clocks here go back an hour from standard time for part of the year, on "
                   "dates that follow no fixed weekday rule" +
                   std::string(kStandardAllYear);
        }
        return "The zone's standard time changes in the coming years" +
               std::string(kStandardAllYear);
    }
    return {};
}

}  // namespace

ChangeDay ChangeDayOf(const ZoneTransition& transition) {
    const std::int64_t wall = transition.utcSeconds + transition.offsetBefore;
    const std::int64_t days = FloorDiv(wall, kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(wall - days * kSecondsPerDay);
    ChangeDay change{static_cast<std::int32_t>(days + kUnixEpochDay), secondOfDay / kHour};
    if (secondOfDay >= 12 * kHour) {
        ++change.day;
        change.hour = 0;
    }
    return change;
}

namespace {

struct DerivedRule {
    std::string start;
    std::string end;
    std::string problem;  // why there is none; empty when there is
};

// The start and end rules of a saving of one hour from `base`, or why there are none.
DerivedRule RulesFrom(int base, const std::vector<ZoneTransition>& changes, bool north, int years) {
    if (std::string problem = OffsetProblem(base, changes); !problem.empty()) {
        return {{}, {}, std::move(problem)};
    }
    std::vector<ChangeDay> starts;
    std::vector<ChangeDay> ends;
    std::map<int, std::array<int, 2>> perYear;  // year -> starts, ends
    for (const ZoneTransition& t : changes) {
        const ChangeDay change = ChangeDayOf(t);
        const bool start = t.offsetAfter > t.offsetBefore;
        (start ? starts : ends).push_back(change);
        ++perYear[DateFromSerial(change.day).year][start ? 0 : 1];
    }
    const bool oncePerYear = static_cast<int>(perYear.size()) == years &&
                             std::all_of(perYear.begin(), perYear.end(), [](const auto& entry) {
                                 return entry.second[0] == 1 && entry.second[1] == 1;
                             });
    if (!oncePerYear) {
        return {{},
                {},
                "Clocks here do not change once each way every year in the coming years" +
                    std::string(kStandardAllYear)};
    }
    const auto startRule = CommonRule(starts);
    const auto endRule = CommonRule(ends);
    if (!startRule || !endRule) {
        return {{},
                {},
                "Clocks here change on dates that follow no fixed weekday rule" +
                    std::string(kStandardAllYear)};
    }
    // North of the equator the table looks for the saving within one calendar year, south
    // of it across the new year; a zone whose saving runs the other way cannot be read.
    const bool withinYear = startRule->month < endRule->month;
    if (withinYear != north) {
        return {{},
                {},
                std::string("The saving here runs ") +
                    (withinYear ? "within the calendar year, which the place list can hold "
                                  "only north of the equator"
                                : "across the new year, which the place list can hold only "
                                  "south of the equator") +
                    kStandardAllYear};
    }
    return {RuleText(*startRule, starts.front().hour), RuleText(*endRule, ends.front().hour), {}};
}

}  // namespace

ZoneRuleResult DeriveZoneRule(int standardOffset, const std::vector<ZoneTransition>& transitions,
                              bool north, int firstYear, int years) {
    std::vector<ZoneTransition> changes;
    for (const ZoneTransition& t : transitions) {
        const int year = DateFromSerial(ChangeDayOf(t).day).year;
        if (year >= firstYear && year < firstYear + years) {
            changes.push_back(t);
        }
    }
    std::sort(changes.begin(), changes.end(), [](const ZoneTransition& a, const ZoneTransition& b) {
        return a.utcSeconds < b.utcSeconds;
    });

    // The database may call the later clock standard and the earlier one a "negative
    // saving" (Ireland's winter, Morocco's Ramadan); the record only knows a saving forward
    // from standard time, so a zone that moves between two clocks an hour apart is read
    // from the earlier one.
    int base = standardOffset;
    if (!changes.empty()) {
        int lowest = changes.front().offsetBefore;
        for (const ZoneTransition& t : changes) {
            lowest = std::min({lowest, t.offsetBefore, t.offsetAfter});
        }
        const bool twoClocks =
            std::all_of(changes.begin(), changes.end(), [&](const ZoneTransition& t) {
                return std::min(t.offsetBefore, t.offsetAfter) == lowest &&
                       std::max(t.offsetBefore, t.offsetAfter) == lowest + kHour;
            });
        if (twoClocks) {
            base = lowest;
        }
    }
    DerivedRule rule;
    if (!changes.empty()) {
        rule = RulesFrom(base, changes, north, years);
    }
    if (!rule.problem.empty() && base != standardOffset) {
        // Without a rule the table keeps one clock all year: the one the zone calls
        // standard, which it keeps for most of it.
        base = standardOffset;
        rule.problem =
            "Clocks here go back an hour from standard time for part of the year, on dates "
            "that follow no fixed weekday rule" +
            std::string(kStandardAllYear);
    }

    ZoneRuleResult result;
    result.zoneSign = base < 0 ? '-' : '+';
    const auto hours = HoursText(base);
    if (!hours) {
        result.note = "Standard time here is " + OffsetText(base) +
                      " from Greenwich, which the place list cannot hold (12 hours behind to 14 "
                      "ahead, in quarter hours); enter the nearest zone by hand.";
        return result;
    }
    if (hours->size() > Width(LocationColumns::ZoneHours)) {
        result.note = "Standard time here is " + OffsetText(base) +
                      " from Greenwich, which needs " + std::to_string(hours->size()) +
                      " characters (" + *hours + ") where the place list has " +
                      std::to_string(Width(LocationColumns::ZoneHours)) +
                      "; enter the nearest zone by hand.";
        return result;
    }
    result.zoneHours = *hours;
    result.note = rule.problem;
    result.dst = !changes.empty() && rule.problem.empty();
    result.startRule = rule.start;
    result.endRule = rule.end;
    return result;
}

}  // namespace quintrel
