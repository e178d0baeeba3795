#include "locations/DaylightSaving.h"

#include <algorithm>
#include <array>
#include <optional>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

struct DstRule {
    int hour;     // 0-23, on the clock in force before the change
    int week;     // 1-4 = first to fourth, 5 = last
    int weekday;  // 1 = Sunday .. 7 = Saturday
    int month;    // 1-12
};

// The hour must be two digits 00-23 like the window writes it. A damaged week or
// weekday digit would
// otherwise send the day-by-day search on for ever, and a damaged month has no date, so
// such a rule is treated as absent rather than guessed at.
std::optional<DstRule> ReadRule(std::string_view record, RecordColumns columns) {
    if (record.size() != kRecordLengthWithRules) {
        return std::nullopt;
    }
    const std::string_view rule = ColumnText(record, columns);
    const std::string_view hourText = ColumnText(rule, RuleColumns::Hour);
    if (hourText.size() != 2 || hourText[0] < '0' || hourText[0] > '2' || hourText[1] < '0' ||
        hourText[1] > '9') {
        return std::nullopt;
    }
    const int hour = (hourText[0] - '0') * 10 + (hourText[1] - '0');
    if (hour > 23) {
        return std::nullopt;
    }
    const auto week = TryReadWholeNumber(ColumnText(rule, RuleColumns::Week), 1, 5);
    const auto weekday = TryReadWholeNumber(ColumnText(rule, RuleColumns::Weekday), 1, 7);
    const auto month = TryReadWholeNumber(ColumnText(rule, RuleColumns::Month), 1, 12);
    if (!week || !weekday || !month) {
        return std::nullopt;
    }
    return DstRule{hour, *week, *weekday, *month};
}

DaySerial RuleDate(std::string_view record, RecordColumns columns, std::int16_t year) {
    const auto rule = ReadRule(record, columns);
    if (!rule) {
        throw CoreError("The daylight-saving rule in columns " + std::to_string(columns.first) +
                        "-" + std::to_string(columns.last) + " of the place record \"" +
                        PrintableRecord(record) + "\" is damaged");
    }
    return WeekdayRuleDate(rule->week, rule->weekday, rule->month, year);
}

std::int16_t YearAfter(int year, int offset) {
    return ToInt16(static_cast<double>(year + offset));
}

// Where the two rules begin in a record: the period reads nothing before them.
constexpr std::size_t kRulesStart = LocationColumns::DstStartRule.first - 1;
static_assert(LocationColumns::DstEndRule.first == LocationColumns::DstStartRule.last + 1);

}  // namespace

DaySerial WeekdayRuleDate(int week, int weekday, int month, std::int16_t year) {
    if (week <= 4) {
        // The w-th weekday lies among days 7w-6 .. 7w of the month.
        DaySerial date = DateSerial(year, month, 7 * week - 6);
        while (WeekdayOf(date) != weekday) {
            ++date;
        }
        return date;
    }
    DaySerial date = DateSerial(year, month, DaysInMonth(year, month));
    while (WeekdayOf(date) != weekday) {
        --date;
    }
    return date;
}

bool DstRulesUsable(std::string_view record) {
    return ReadRule(record, LocationColumns::DstStartRule).has_value() &&
           ReadRule(record, LocationColumns::DstEndRule).has_value();
}

DaySerial DstStartDate(std::string_view record, std::int16_t year) {
    return RuleDate(record, LocationColumns::DstStartRule, year);
}

DaySerial DstEndDate(std::string_view record, std::int16_t year) {
    return RuleDate(record, LocationColumns::DstEndRule, year);
}

int DstStartHour(std::string_view record) {
    const auto rule = ReadRule(record, LocationColumns::DstStartRule);
    return rule ? rule->hour : 0;
}

int DstEndHour(std::string_view record) {
    const auto rule = ReadRule(record, LocationColumns::DstEndRule);
    return rule ? rule->hour : 0;
}

namespace {

// A saving period with the stretch of days judged by it: the whole year north of the
// equator; to the south, the days of the year up to its end date, or those after it.
struct PeriodStretch {
    SavingPeriod period;
    DaySerial first = 0;
    DaySerial last = 0;
};

PeriodStretch WorkOutPeriod(std::string_view record, double latitude, DaySerial day) {
    const int year = DateFromSerial(day).year;
    PeriodStretch found;
    if (latitude > 0) {
        found.period = {DstStartDate(record, YearAfter(year, 0)),
                        DstEndDate(record, YearAfter(year, 0))};
        found.first = DateSerial(year, 1, 1);
        found.last = DateSerial(year, 12, 31);
        return found;
    }
    // South of the equator the saving spans the new year. Take the period that holds
    // the day: a fixed split at the end of March would put early-April days, before a
    // first-Sunday-of-April end, outside their period.
    const DaySerial endThisYear = DstEndDate(record, YearAfter(year, 0));
    if (day <= endThisYear) {
        found.period = {DstStartDate(record, YearAfter(year, -1)), endThisYear};
        found.first = DateSerial(year, 1, 1);
        found.last = endThisYear;
    } else {
        found.period = {DstStartDate(record, YearAfter(year, 0)),
                        DstEndDate(record, YearAfter(year, 1))};
        found.first = endThisYear + 1;
        found.last = DateSerial(year, 12, 31);
    }
    return found;
}

// The real clock asks for the periods of the same few days many times a day, and reading
// the rules and working out their dates costs far more than the answer. So each thread
// keeps the last few stretches it worked out, keyed by all that the answer reads: the
// rule columns and the hemisphere. A failure is never kept, so it throws every time.
struct KnownStretch {
    std::array<char, kRecordLengthWithRules - kRulesStart> rules{};
    bool north = false;
    PeriodStretch stretch{{}, 1, 0};  // holds no day until filled
};

constexpr std::size_t kKnownStretches = 4;
thread_local std::array<KnownStretch, kKnownStretches> knownStretches;
thread_local std::size_t nextKnownStretch = 0;

}  // namespace

SavingStretch SavingStretchOf(std::string_view record, std::string_view dstFlag, double latitude,
                              DaySerial day) {
    const SavingStretch none{std::nullopt, day, day};
    if (record.size() != kRecordLengthWithRules || dstFlag != "1") {
        return none;
    }
    const std::string_view rules = record.substr(kRulesStart);
    const bool north = latitude > 0;
    for (const KnownStretch& known : knownStretches) {
        if (known.stretch.first <= day && day <= known.stretch.last && known.north == north &&
            rules == std::string_view(known.rules.data(), known.rules.size())) {
            return {known.stretch.period, known.stretch.first, known.stretch.last};
        }
    }
    if (!DstRulesUsable(record)) {
        return none;
    }
    const PeriodStretch stretch = WorkOutPeriod(record, latitude, day);
    KnownStretch& slot = knownStretches[nextKnownStretch];
    nextKnownStretch = (nextKnownStretch + 1) % kKnownStretches;
    std::copy(rules.begin(), rules.end(), slot.rules.begin());
    slot.north = north;
    slot.stretch = stretch;
    return {stretch.period, stretch.first, stretch.last};
}

std::optional<SavingPeriod> SavingPeriodOf(std::string_view record, std::string_view dstFlag,
                                           double latitude, DaySerial day) {
    return SavingStretchOf(record, dstFlag, latitude, day).period;
}

DaylightSavingResult ApplyDaylightSaving(std::string_view record, std::string_view zoneText,
                                         std::string_view dstFlag, std::string_view latitudeText,
                                         DaySerial day) {
    DaylightSavingResult result;
    result.zoneText = std::string(zoneText);
    if (record.size() != kRecordLengthWithRules || dstFlag != "1" || !DstRulesUsable(record)) {
        return result;
    }
    const auto period = SavingPeriodOf(record, dstFlag, ReadNumber(latitudeText), day);
    const DaySerial start = period->start;
    const DaySerial end = period->end;
    if (start <= day && day <= end) {
        result.zoneText = SingleToText(ReadSingle(zoneText) + 1.0f);
    }
    result.isStartDay = day == start;
    result.isEndDay = day == end;
    return result;
}

}  // namespace quintrel
