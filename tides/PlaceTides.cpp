#include "tides/PlaceTides.h"

#include "astro/CoreError.h"
#include "locations/RealClock.h"

namespace quintrel::tides {

namespace {

constexpr UtcSeconds kSecondsPerDay = 86400;

}  // namespace

UtcSeconds PlaceStandardMidnightUtc(const PlaceTexts& place, DaySerial date) {
    return UtcMidnight(date) - place.clock.standardSeconds;
}

PlaceClockTime UtcToPlaceClock(const PlaceTexts& place, UtcSeconds utc) {
    const ClockReading reading = LocalClockAt(place.clock, utc);
    return {reading.date, reading.secondOfDay};
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
