#include "tides/PlaceTides.h"

#include <cmath>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/DaylightSaving.h"
#include "locations/LocationRecord.h"

namespace quintrel::tides {

namespace {

constexpr DaySerial kUnixEpochSerial = 25569;  // 1970-01-01
constexpr UtcSeconds kSecondsPerDay = 86400;
constexpr int kDefaultChangeHour = 2;

UtcSeconds OffsetSeconds(std::string_view zoneText) {
    return static_cast<UtcSeconds>(std::nearbyint(ReadNumber(zoneText) * 3600.0));
}

UtcSeconds FloorDiv(UtcSeconds value, UtcSeconds divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// The hour of a daylight-saving rule (its first two columns), or 02 when it has none.
int RuleHour(std::string_view record, RecordColumns rule) {
    const std::string_view hour =
        ColumnText(ColumnText(record, rule), {RuleColumns::Hour.first, RuleColumns::Hour.last});
    if (hour.size() == 2 && hour[0] >= '0' && hour[0] <= '2' && hour[1] >= '0' && hour[1] <= '9' &&
        (hour[0] - '0') * 10 + (hour[1] - '0') <= 23) {
        return (hour[0] - '0') * 10 + (hour[1] - '0');
    }
    return kDefaultChangeHour;
}

}  // namespace

UtcSeconds PlaceStandardMidnightUtc(const PlaceTexts& place, DaySerial date) {
    return (static_cast<UtcSeconds>(date) - kUnixEpochSerial) * kSecondsPerDay -
           OffsetSeconds(place.zone);
}

PlaceClockTime UtcToPlaceClock(const PlaceTexts& place, UtcSeconds utc) {
    const UtcSeconds standardOffset = OffsetSeconds(place.zone);
    const UtcSeconds standard = utc + standardOffset;
    const auto standardDate =
        static_cast<DaySerial>(FloorDiv(standard, kSecondsPerDay) + kUnixEpochSerial);
    const UtcSeconds standardSeconds =
        standard - FloorDiv(standard, kSecondsPerDay) * kSecondsPerDay;
    const DaylightSavingResult day =
        ApplyDaylightSaving(place.record, place.zone, place.dstFlag, place.latitude, standardDate);
    UtcSeconds offset = OffsetSeconds(day.zoneText);
    if (offset != standardOffset) {
        // Both change days are in the saving period for the whole day; the real clock
        // is advanced only after the start and until the end.
        const UtcSeconds saving = offset - standardOffset;
        if (day.isStartDay &&
            standardSeconds < RuleHour(place.record, LocationColumns::DstStartRule) * 3600) {
            offset = standardOffset;
        } else if (day.isEndDay &&
                   standardSeconds >=
                       RuleHour(place.record, LocationColumns::DstEndRule) * 3600 - saving) {
            offset = standardOffset;
        }
    }
    const UtcSeconds local = utc + offset;
    const UtcSeconds days = FloorDiv(local, kSecondsPerDay);
    return {static_cast<DaySerial>(days + kUnixEpochSerial),
            static_cast<int>(local - days * kSecondsPerDay)};
}

std::vector<PlaceTideEvent> PlaceTides(const TideDatabase& database, const TideStation& station,
                                       const PlaceTexts& place, DaySerial firstDate,
                                       DaySerial lastDate, std::optional<LevelUnits> units) {
    const auto [firstYear, lastYear] = database.Years(station);
    for (const DaySerial date : {firstDate, lastDate}) {
        const int year = DateFromSerial(date).year;
        if (year < firstYear || year > lastYear) {
            throw CoreError("No tides for " + std::to_string(year) + ": the tide tables cover " +
                            std::to_string(firstYear) + " to " + std::to_string(lastYear) + ".");
        }
    }
    // A day on either side covers any saving, then the place's clock decides the date.
    const UtcSeconds from = PlaceStandardMidnightUtc(place, firstDate) - kSecondsPerDay;
    const UtcSeconds to = PlaceStandardMidnightUtc(place, lastDate + 1) + kSecondsPerDay;
    std::vector<PlaceTideEvent> events;
    for (const TideExtreme& extreme : database.Extremes(station, from, to, units)) {
        // Rounded to the minute on the clock, so 23:59:40 is shown as the next day's 00:00.
        const PlaceClockTime clock = UtcToPlaceClock(place, extreme.utc);
        const int minutes = (clock.secondsOfDay + 30) / 60;
        const DaySerial date = clock.date + minutes / 1440;
        if (date >= firstDate && date <= lastDate) {
            events.push_back({date, minutes % 1440, extreme.utc, extreme.height, extreme.isHigh});
        }
    }
    return events;
}

std::string UnitsName(LevelUnits units) {
    return units == LevelUnits::Feet ? "feet" : "metres";
}

std::string UnitsSymbol(LevelUnits units) {
    return units == LevelUnits::Feet ? "ft" : "m";
}

}  // namespace quintrel::tides
