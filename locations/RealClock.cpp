#include "locations/RealClock.h"

#include <array>
#include <cmath>
#include <optional>

#include "astro/NumberText.h"
#include "locations/DaylightSaving.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// Day serial of 1970-01-01 (day 0 is 30 December 1899).
constexpr DaySerial kUnixEpochSerial = 25569;
constexpr UnixSeconds kSecondsPerDay = 86400;
constexpr UnixSeconds kHour = 3600;

DaySerial FloorDay(UnixSeconds seconds) {
    UnixSeconds days = seconds / kSecondsPerDay;
    if (seconds % kSecondsPerDay < 0) {
        --days;
    }
    return static_cast<DaySerial>(days) + kUnixEpochSerial;
}

// The saving in force as [from, to) instants, for the periods that the dates around `day`
// are judged by.
struct SavingSpan {
    UnixSeconds from = 0;
    UnixSeconds to = 0;
};

std::array<std::optional<SavingSpan>, 3> SpansAround(const PlaceClock& clock, DaySerial day) {
    std::array<std::optional<SavingSpan>, 3> spans;
    if (!clock.keepsSaving) {
        return spans;
    }
    // The three days nearly always share one period: it is looked up and turned into
    // instants once for all of them.
    SavingStretch stretch{std::nullopt, 1, 0};
    std::optional<SavingSpan> span;
    for (int i = 0; i < 3; ++i) {
        const DaySerial judged = day - 1 + i;
        if (judged < stretch.first || stretch.last < judged) {
            stretch = SavingStretchOf(clock.record, clock.dstFlag, clock.latitude, judged);
            span.reset();
            if (stretch.period) {
                span = SavingSpan{UtcMidnight(stretch.period->start) + clock.startHour * kHour -
                                      clock.standardSeconds,
                                  UtcMidnight(stretch.period->end) + clock.endHour * kHour -
                                      clock.standardSeconds - kHour};
            }
        }
        spans[static_cast<std::size_t>(i)] = span;
    }
    return spans;
}

using Spans = std::array<std::optional<SavingSpan>, 3>;

// SpansAround for the two days a question about one date reads (the date and the day
// before), each worked out once.
class SpansOfDays {
  public:
    explicit SpansOfDays(const PlaceClock& clock) : clock_(clock) {}

    const Spans& Around(DaySerial day) {
        for (std::size_t i = 0; i < count_; ++i) {
            if (days_[i] == day) {
                return spans_[i];
            }
        }
        const std::size_t slot = count_ < days_.size() ? count_++ : 0;
        days_[slot] = day;
        spans_[slot] = SpansAround(clock_, day);
        return spans_[slot];
    }

  private:
    const PlaceClock& clock_;
    std::array<DaySerial, 2> days_{};
    std::array<Spans, 2> spans_{};
    std::size_t count_ = 0;
};

bool SummerAt(const PlaceClock& clock, UnixSeconds instant, SpansOfDays& spansOfDays) {
    const DaySerial day = FloorDay(instant + clock.standardSeconds);
    for (const auto& span : spansOfDays.Around(day)) {
        if (span && span->from <= instant && instant < span->to) {
            return true;
        }
    }
    return false;
}

bool SummerAt(const PlaceClock& clock, UnixSeconds instant) {
    SpansOfDays spansOfDays(clock);
    return SummerAt(clock, instant, spansOfDays);
}

// The first instant at which the clock reads `date` or later.
UnixSeconds StartOfDate(const PlaceClock& clock, DaySerial date, SpansOfDays& spansOfDays) {
    const UnixSeconds onStandard = UtcMidnight(date) - clock.standardSeconds;
    const UnixSeconds onSummer = onStandard - kHour;
    if (clock.keepsSaving && SummerAt(clock, onSummer, spansOfDays)) {
        return onSummer;
    }
    // Either midnight comes on standard time, or the clock skips it going forward at
    // 00:00 of standard time, the same instant.
    return onStandard;
}

}  // namespace

UnixSeconds UtcMidnight(DaySerial date) {
    return (static_cast<UnixSeconds>(date) - kUnixEpochSerial) * kSecondsPerDay;
}

PlaceClock MakePlaceClock(std::string_view record, std::string_view zoneText,
                          std::string_view dstFlag, std::string_view latitudeText) {
    PlaceClock clock;
    clock.record = std::string(record);
    clock.dstFlag = std::string(dstFlag);
    clock.zoneText = std::string(zoneText);
    clock.standardSeconds = static_cast<int>(std::nearbyint(ReadNumber(zoneText) * 3600.0));
    clock.keepsSaving =
        record.size() == kRecordLengthWithRules && dstFlag == "1" && DstRulesUsable(record);
    if (clock.keepsSaving) {
        clock.summerZoneText = SingleToText(ReadSingle(zoneText) + 1.0f);
        clock.latitude = ReadNumber(latitudeText);
        clock.startHour = DstStartHour(record);
        clock.endHour = DstEndHour(record);
    } else {
        clock.summerZoneText = clock.zoneText;
    }
    return clock;
}

ClockReading LocalClockAt(const PlaceClock& clock, UnixSeconds instant) {
    ClockReading reading;
    reading.summer = clock.keepsSaving && SummerAt(clock, instant);
    reading.offsetSeconds = clock.standardSeconds + (reading.summer ? static_cast<int>(kHour) : 0);
    const UnixSeconds local = instant + reading.offsetSeconds;
    reading.date = FloorDay(local);
    reading.secondOfDay = static_cast<int>(local - UtcMidnight(reading.date));
    return reading;
}

LocalDay LocalDayOf(const PlaceClock& clock, DaySerial date) {
    LocalDay day;
    SpansOfDays spansOfDays(clock);
    day.start = StartOfDate(clock, date, spansOfDays);
    day.end = StartOfDate(clock, date + 1, spansOfDays);
    if (!clock.keepsSaving) {
        return day;
    }
    const bool summerAtStart = SummerAt(clock, day.start, spansOfDays);
    day.summerAtStart = summerAtStart;
    if (summerAtStart == SummerAt(clock, day.end - 1, spansOfDays)) {
        return day;
    }
    for (const auto& span : spansOfDays.Around(date)) {
        if (!span) {
            continue;
        }
        for (const UnixSeconds instant : {span->from, span->to}) {
            if (day.start < instant && instant < day.end) {
                day.hasChange = true;
                day.change = instant;
            }
        }
    }
    if (day.hasChange) {
        day.forward = !summerAtStart;
        const ClockReading before = LocalClockAt(clock, day.change - 1);
        const ClockReading after = LocalClockAt(clock, day.change);
        day.changeFromHour = (before.secondOfDay + 1) / 3600 + 24 * (before.date - date);
        day.changeToHour = after.secondOfDay / 3600 + 24 * (after.date - date);
    }
    return day;
}

UnixSeconds InstantOfReading(const PlaceClock& clock, DaySerial date, int minuteOfDay) {
    const UnixSeconds local = UtcMidnight(date) + static_cast<UnixSeconds>(minuteOfDay) * 60;
    const UnixSeconds onSummer = local - clock.standardSeconds - kHour;
    const UnixSeconds onStandard = local - clock.standardSeconds;
    if (!clock.keepsSaving) {
        return onStandard;
    }
    const bool summerFits = SummerAt(clock, onSummer);
    const bool standardFits = !SummerAt(clock, onStandard);
    if (summerFits) {
        return onSummer;  // the first of two readings, or the only one
    }
    if (standardFits) {
        return onStandard;
    }
    // Skipped going forward: the instant of this reading on the clock before the change,
    // standard time.
    return onStandard;
}

}  // namespace quintrel
