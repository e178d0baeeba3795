#include "log/LogTides.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>

#include "locations/Encoding.h"
#include "locations/PlaceValues.h"
#include "locations/RealClock.h"
#include "table/DateEvents.h"
#include "tides/TideTable.h"

namespace quintrel::logbook {

namespace {

// How far from a catch highs and lows are looked for: beyond the last band's lower edge
// (3 hours), so every catch nearer than that to one finds it; a catch with none that near
// is in the last band whatever the distance.
constexpr std::int64_t kReach = 4 * 3600;
// The longest stretch of catches whose highs and lows are computed together.
constexpr std::int64_t kLongestStretch = 2 * 86400;
constexpr std::size_t kNoStretch = static_cast<std::size_t>(-1);

std::int64_t FloorDiv(std::int64_t value, std::int64_t by) {
    return value / by - (value % by < 0 ? 1 : 0);
}

// An instant rounded to the nearest minute, as the tide table shows a high or low water.
std::int64_t RoundedToMinute(std::int64_t utc) {
    return FloorDiv(utc + 30, 60) * 60;
}

}  // namespace

struct LogTideStages::Place {
    std::string record;  // Windows-1252, as the place list holds it
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

bool LogTideStages::HasStation(const std::string& record) const {
    return PlaceOf(record).station.has_value();
}

std::vector<std::optional<double>> LogTideStages::MinutesFromTurns(
    const std::vector<TideQuery>& queries, int threads) const {
    // Each query's station and instant; the catches of an outing, one after another, share
    // one stretch of highs and lows from kReach before the first to kReach after the last.
    struct Stretch {
        const tides::TideStation* station = nullptr;
        std::int64_t first = 0;
        std::int64_t last = 0;
        std::vector<std::int64_t> turns;
    };
    std::vector<Stretch> stretches;
    std::vector<std::int64_t> instants(queries.size());
    std::vector<std::size_t> stretchOf(queries.size(), kNoStretch);
    const Place* lastPlace = nullptr;
    DaySerial lastDate = 0;
    LocalDay localDay;
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const Place& place = PlaceOf(*queries[i].record);
        if (!place.station) {
            continue;
        }
        const auto [firstYear, lastYear] = database_->Years(*place.station);
        const int year = DateFromSerial(queries[i].date).year;
        if (year < firstYear || year > lastYear) {
            continue;  // beyond the tide tables
        }
        try {
            if (&place != lastPlace || queries[i].date != lastDate) {
                localDay = LocalDayOf(place.clock, queries[i].date);
                lastPlace = &place;
                lastDate = queries[i].date;
            }
            // A day without a clock change reads each minute 60 seconds after the last.
            instants[i] =
                localDay.hasChange
                    ? InstantOfReading(place.clock, queries[i].date, queries[i].minuteOfDay)
                    : localDay.start + std::int64_t{queries[i].minuteOfDay} * 60;
        } catch (const std::exception&) {
            lastPlace = nullptr;
            continue;  // a date beyond the clock's arithmetic has no tides either
        }
        const std::int64_t instant = instants[i];
        if (stretches.empty() || stretches.back().station != &*place.station ||
            std::max(instant, stretches.back().last) - std::min(instant, stretches.back().first) >
                kLongestStretch) {
            stretches.push_back({&*place.station, instant, instant, {}});
        }
        Stretch& stretch = stretches.back();
        stretch.first = std::min(stretch.first, instant);
        stretch.last = std::max(stretch.last, instant);
        stretchOf[i] = stretches.size() - 1;
    }

    // The stretches, computed by `threads` workers; each writes only its own.
    std::atomic<std::size_t> next{0};
    const auto compute = [&] {
        for (std::size_t i = next++; i < stretches.size(); i = next++) {
            Stretch& stretch = stretches[i];
            try {
                for (const tides::TideExtreme& extreme : database_->Extremes(
                         *stretch.station, stretch.first - kReach, stretch.last + kReach + 1)) {
                    stretch.turns.push_back(RoundedToMinute(extreme.utc));
                }
            } catch (const std::exception&) {
                // A stretch the tables cannot give stays without highs and lows.
            }
        }
    };
    std::vector<std::thread> workers;
    const int count =
        std::clamp(threads, 1, static_cast<int>(std::max<std::size_t>(1, stretches.size())));
    for (int i = 1; i < count; ++i) {
        workers.emplace_back(compute);
    }
    compute();
    for (std::thread& worker : workers) {
        worker.join();
    }

    std::vector<std::optional<double>> minutes(queries.size());
    for (std::size_t i = 0; i < queries.size(); ++i) {
        if (stretchOf[i] == kNoStretch) {
            continue;
        }
        // Exact within kReach; further is the last band whatever the distance.
        std::int64_t nearest = kReach;
        for (const std::int64_t turn : stretches[stretchOf[i]].turns) {
            nearest =
                std::min(nearest, turn > instants[i] ? turn - instants[i] : instants[i] - turn);
        }
        minutes[i] = static_cast<double>(nearest) / 60.0;
    }
    return minutes;
}

}  // namespace quintrel::logbook
