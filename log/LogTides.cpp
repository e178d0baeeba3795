#include "log/LogTides.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "locations/Encoding.h"
#include "locations/PlaceValues.h"
#include "locations/RealClock.h"
#include "table/DateEvents.h"
#include "tides/TideTable.h"

namespace quintrel::logbook {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDiv(std::int64_t value, std::int64_t by) {
    return value / by - (value % by < 0 ? 1 : 0);
}

// An instant rounded to the nearest minute, as the tide table shows a high or low water.
std::int64_t RoundedToMinute(std::int64_t utc) {
    return FloorDiv(utc + 30, 60) * 60;
}

}  // namespace

struct LogTideStages::Place {
    std::string record;  // Windows-1252, as the place list holds it; PlaceTexts points here
    std::optional<tides::TideStation> station;
    PlaceClock clock;
};

LogTideStages::LogTideStages(std::shared_ptr<const tides::TideDatabase> database,
                             std::function<std::string(const std::string& record)> keptId)
    : database_(std::move(database)), keptId_(std::move(keptId)) {}

LogTideStages::~LogTideStages() = default;

const LogTideStages::Place& LogTideStages::PlaceOf(const std::string& record) const {
    auto [slot, added] = places_.try_emplace(record);
    if (!added) {
        return *slot->second;
    }
    slot->second = std::make_unique<Place>();
    Place& place = *slot->second;
    place.record = Utf8ToCp1252(record);
    try {
        PlaceValues values;
        ParseSelectedLocation(place.record, values);
        place.clock = MakePlaceTexts(values, place.record).clock;
        if (database_) {
            const tides::PlaceStations stations = tides::StationsForPlace(
                *database_, place.record, keptId_ ? keptId_(place.record) : std::string());
            if (stations.chosen) {
                place.station = stations.chosen->station;
            }
        }
    } catch (const std::exception&) {
        // A record the table cannot read has no tides; its outings are left out anyway.
        place.station.reset();
    }
    return place;
}

const std::vector<std::int64_t>& LogTideStages::TurnsOn(const tides::TideStation& station,
                                                        std::int64_t day) const {
    auto& days = turns_[{station.file, station.record}];
    auto [slot, added] = days.try_emplace(day);
    if (added) {
        for (const tides::TideExtreme& extreme :
             database_->Extremes(station, day * kSecondsPerDay, (day + 1) * kSecondsPerDay)) {
            slot->second.push_back(RoundedToMinute(extreme.utc));
        }
    }
    return slot->second;
}

bool LogTideStages::HasStation(const std::string& record) const {
    return PlaceOf(record).station.has_value();
}

std::optional<double> LogTideStages::MinutesFromTurn(const std::string& record, DaySerial date,
                                                     int minuteOfDay) const {
    const Place& place = PlaceOf(record);
    if (!place.station) {
        return std::nullopt;
    }
    const std::int64_t instant = InstantOfReading(place.clock, date, minuteOfDay);
    // Highs and lows follow each other within a day even where there is one tide a day,
    // so the day of the catch and the days either side hold the nearest one.
    const std::int64_t day = FloorDiv(instant, kSecondsPerDay);
    std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
    for (std::int64_t d = day - 1; d <= day + 1; ++d) {
        for (const std::int64_t turn : TurnsOn(*place.station, d)) {
            nearest = std::min(nearest, turn > instant ? turn - instant : instant - turn);
        }
    }
    if (nearest == std::numeric_limits<std::int64_t>::max()) {
        return std::nullopt;  // beyond the years of the tide tables
    }
    return static_cast<double>(nearest) / 60.0;
}

}  // namespace quintrel::logbook
