#include "calendar/LocalToUtc.h"

#include "astro/mRiseSet.h"

namespace quintrel {

std::optional<UnixSeconds> TableTimeToUtc(const PlaceTexts& place, DaySerial date,
                                          std::string_view timeText) {
    const std::optional<int> minutes = mRiseSet::ClockTextMinutes(timeText);
    if (!minutes) {
        return std::nullopt;
    }
    return InstantOfReading(place.clock, date, *minutes);
}

}  // namespace quintrel
