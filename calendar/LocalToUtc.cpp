#include "calendar/LocalToUtc.h"

#include <cmath>

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"
#include "locations/DaylightSaving.h"

namespace quintrel {

namespace {

// Day serial of 1970-01-01 (day 0 is 30 December 1899).
constexpr DaySerial kUnixEpochSerial = 25569;
constexpr UnixSeconds kSecondsPerDay = 86400;

// Whole seconds of an offset in hours; zones are whole, half or quarter hours.
UnixSeconds OffsetSeconds(std::string_view zoneText) {
    return static_cast<UnixSeconds>(std::nearbyint(ReadNumber(zoneText) * 3600.0));
}

}  // namespace

UnixSeconds UtcMidnight(DaySerial date) {
    return (static_cast<UnixSeconds>(date) - kUnixEpochSerial) * kSecondsPerDay;
}

std::optional<UnixSeconds> TableTimeToUtc(const PlaceTexts& place, DaySerial date,
                                          std::string_view timeText) {
    const std::optional<int> minutes = mRiseSet::ClockTextMinutes(timeText);
    if (!minutes) {
        return std::nullopt;
    }
    const DaylightSavingResult day =
        ApplyDaylightSaving(place.record, place.zone, place.dstFlag, place.latitude, date);
    const int hour = *minutes / 60;
    // The table's change-day correction leaves these times on standard time. On the last
    // day a shown 03:xx may also be an unmoved 03:xx of the advanced clock; the clock has
    // gone back by then, so it is read as standard time like the wall clock reads it.
    const bool onStandardTime = (day.isStartDay && hour < 2) || (day.isEndDay && hour >= 3);
    const std::string_view zone = onStandardTime ? std::string_view(place.zone) : day.zoneText;
    return UtcMidnight(date) + static_cast<UnixSeconds>(*minutes) * 60 - OffsetSeconds(zone);
}

}  // namespace quintrel
