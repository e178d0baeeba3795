#include "locations/DaylightSaving.h"

#include <optional>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

struct DstRule {
    int week;     // 1-4 = first to fourth, 5 = last
    int weekday;  // 1 = Sunday .. 7 = Saturday
    int month;    // 1-12
};

// A damaged week or weekday digit would
// otherwise send the day-by-day search on for ever, and a damaged month has no date, so
// such a rule is treated as absent rather than guessed at.
std::optional<DstRule> ReadRule(std::string_view record, RecordColumns columns) {
    if (record.size() != kRecordLengthWithRules) {
        return std::nullopt;
    }
    const std::string_view rule = ColumnText(record, columns);
    const auto week = TryReadWholeNumber(ColumnText(rule, RuleColumns::Week), 1, 5);
    const auto weekday = TryReadWholeNumber(ColumnText(rule, RuleColumns::Weekday), 1, 7);
    const auto month = TryReadWholeNumber(ColumnText(rule, RuleColumns::Month), 1, 12);
    if (!week || !weekday || !month) {
        return std::nullopt;
    }
    return DstRule{*week, *weekday, *month};
}

DaySerial RuleDate(std::string_view record, RecordColumns columns, std::int16_t year) {
    const auto rule = ReadRule(record, columns);
    if (!rule) {
        throw CoreError("The daylight-saving rule in columns " + std::to_string(columns.first) +
                        "-" + std::to_string(columns.last) + " of the place record \"" +
                        std::string(record) + "\" is damaged");
    }
    return WeekdayRuleDate(rule->week, rule->weekday, rule->month, year);
}

std::int16_t YearAfter(int year, int offset) {
    return ToInt16(static_cast<double>(year + offset));
}

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

DaylightSavingResult ApplyDaylightSaving(std::string_view record, std::string_view zoneText,
                                         std::string_view dstFlag, std::string_view latitudeText,
                                         DaySerial day) {
    DaylightSavingResult result;
    result.zoneText = std::string(zoneText);
    if (record.size() != kRecordLengthWithRules || dstFlag != "1" || !DstRulesUsable(record)) {
        return result;
    }
    const double latitude = ReadNumber(latitudeText);
    const int year = DateFromSerial(day).year;

    DaySerial start = 0;
    DaySerial end = 0;
    if (latitude > 0) {
        start = DstStartDate(record, YearAfter(year, 0));
        end = DstEndDate(record, YearAfter(year, 0));
    } else {
        // South of the equator the saving spans the new year. Take the period that holds
        // the day: a fixed split at the end of March would put early-April days, before a
        // first-Sunday-of-April end, outside their period.
        const DaySerial endThisYear = DstEndDate(record, YearAfter(year, 0));
        if (day <= endThisYear) {
            start = DstStartDate(record, YearAfter(year, -1));
            end = endThisYear;
        } else {
            start = DstStartDate(record, YearAfter(year, 0));
            end = DstEndDate(record, YearAfter(year, 1));
        }
    }
    if (start <= day && day <= end) {
        result.zoneText = SingleToText(ReadSingle(zoneText) + 1.0f);
    }
    result.isStartDay = day == start;
    result.isEndDay = day == end;
    return result;
}

}  // namespace quintrel
