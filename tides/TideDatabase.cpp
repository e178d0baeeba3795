#include "tides/TideDatabase.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "astro/CoreError.h"
#include "tides/StationDistance.h"
#include "tides/TidePredictor.h"

namespace quintrel::tides {

namespace {

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lowered;
}

}  // namespace

std::shared_ptr<TideDatabase> TideDatabase::Open(const std::vector<std::string>& paths) {
    auto database = std::make_shared<TideDatabase>();
    for (const std::string& path : paths) {
        try {
            database->files_.push_back(ReadTcdIndex(path));
        } catch (const CoreError& error) {
            database->problems_.emplace_back(error.what());
        }
    }
    return database;
}

std::vector<std::string> TideDatabase::Files() const {
    std::vector<std::string> paths;
    for (const TcdIndex& file : files_) {
        paths.push_back(file.path);
    }
    return paths;
}

std::optional<TideStation> TideDatabase::Station(int file, int record) const {
    if (file < 0 || static_cast<std::size_t>(file) >= files_.size()) {
        return std::nullopt;
    }
    const TcdIndex& index = files_[static_cast<std::size_t>(file)];
    std::optional<TideStation> station = ReadTcdStation(index.path, file, record, index.table);
    if (station && !station->isReference) {
        // The format keeps the datum with the reference station; a subordinate station
        // whose reference is a current is no tide station either.
        std::optional<TideStation> reference =
            ReadTcdStation(index.path, file, station->referenceRecord, index.table);
        if (!reference || !reference->isReference) {
            return std::nullopt;
        }
        station->datum = reference->datum;
    }
    return station;
}

std::vector<NearbyStation> TideDatabase::Nearby(double latitudeDeg, double longitudeDeg,
                                                std::size_t most, double radiusKm) const {
    struct Candidate {
        double distanceKm;
        int file;
        int record;
    };
    std::vector<Candidate> candidates;
    for (std::size_t f = 0; f < files_.size(); ++f) {
        for (const StationHeader& header : files_[f].stations) {
            const double km =
                GreatCircleKm(latitudeDeg, longitudeDeg, header.latitudeDeg, header.longitudeDeg);
            if (km <= radiusKm) {
                candidates.push_back({km, static_cast<int>(f), header.record});
            }
        }
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const Candidate& a, const Candidate& b) { return a.distanceKm < b.distanceKm; });
    // Only whole records tell a water level from a current, so they are read nearest
    // first until enough tide stations are found.
    std::vector<NearbyStation> nearby;
    for (const Candidate& candidate : candidates) {
        if (nearby.size() >= most) {
            break;
        }
        std::optional<TideStation> station;
        try {
            station = Station(candidate.file, candidate.record);
        } catch (const CoreError&) {
            continue;  // a record the checks refuse is not offered
        }
        if (station) {
            const double bearing =
                BearingDeg(latitudeDeg, longitudeDeg, station->latitudeDeg, station->longitudeDeg);
            nearby.push_back({std::move(*station), candidate.distanceKm, bearing});
        }
    }
    return nearby;
}

std::vector<TideStation> TideDatabase::Find(std::string_view text) const {
    std::vector<TideStation> byId;
    std::vector<TideStation> byName;
    const std::string wanted = Lowered(text);
    if (wanted.empty()) {
        return byId;
    }
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const TcdIndex& file = files_[f];
        for (const StationHeader& header : file.stations) {
            // Only the whole record holds the id; the reference (for the datum) is read
            // for the matches alone.
            std::optional<TideStation> record;
            try {
                record = ReadTcdStation(file.path, static_cast<int>(f), header.record, file.table);
            } catch (const CoreError&) {
                continue;
            }
            if (!record) {
                continue;
            }
            const bool idMatches = Lowered(record->id) == wanted;
            if (!idMatches &&
                (!byId.empty() || Lowered(header.name).find(wanted) == std::string::npos)) {
                continue;
            }
            std::optional<TideStation> station;
            try {
                station = Station(static_cast<int>(f), header.record);
            } catch (const CoreError&) {
                continue;
            }
            if (station) {
                (idMatches ? byId : byName).push_back(std::move(*station));
            }
        }
    }
    return byId.empty() ? byName : byId;
}

const TcdIndex& TideDatabase::FileOf(const TideStation& station) const {
    if (station.file < 0 || static_cast<std::size_t>(station.file) >= files_.size()) {
        throw CoreError("The tide station " + station.name + " belongs to no open tide file.");
    }
    return files_[static_cast<std::size_t>(station.file)];
}

TideStation TideDatabase::ReferenceOf(const TideStation& station) const {
    const std::pair<int, int> key{station.file, station.referenceRecord};
    {
        const std::lock_guard<std::mutex> lock(cacheLock_);
        const auto found = references_.find(key);
        if (found != references_.end()) {
            return found->second;
        }
    }
    const TcdIndex& file = FileOf(station);
    std::optional<TideStation> reference =
        ReadTcdStation(file.path, station.file, station.referenceRecord, file.table);
    if (!reference || !reference->isReference) {
        throw CoreError("The reference station of " + station.name + " is no tide station.");
    }
    const std::lock_guard<std::mutex> lock(cacheLock_);
    return references_.emplace(key, std::move(*reference)).first->second;
}

std::pair<int, int> TideDatabase::Years(const TideStation& station) const {
    const ConstituentTable& table = FileOf(station).table;
    return {table.startYear, table.EndYear()};
}

std::vector<TideExtreme> TideDatabase::Extremes(const TideStation& station, UtcSeconds fromUtc,
                                                UtcSeconds toUtc,
                                                std::optional<LevelUnits> units) const {
    const ConstituentTable& table = FileOf(station).table;
    std::vector<TideExtreme> extremes =
        station.isReference
            ? ReferenceExtremes(station, table, fromUtc, toUtc)
            : SubordinateExtremes(station, ReferenceOf(station), table, fromUtc, toUtc);
    if (units && *units != station.units) {
        for (TideExtreme& event : extremes) {
            event.height = ConvertLevel(event.height, station.units, *units);
        }
    }
    return extremes;
}

std::vector<double> TideDatabase::Levels(const TideStation& station,
                                         const std::vector<UtcSeconds>& instants,
                                         std::optional<LevelUnits> units) const {
    std::vector<double> levels;
    if (instants.empty()) {
        return levels;
    }
    const ConstituentTable& table = FileOf(station).table;
    const LevelUnits wanted = units.value_or(station.units);
    const UtcSeconds start = TableStartUtc(table);
    const UtcSeconds end = TableEndUtc(table);
    std::vector<TideExtreme> extremes;
    if (!station.isReference) {
        // A day or two on either side, so the first and last instants lie between extremes.
        constexpr UtcSeconds kMargin = 2 * 86400;
        extremes = Extremes(station, instants.front() - kMargin, instants.back() + kMargin);
    }
    for (const UtcSeconds utc : instants) {
        double level = std::numeric_limits<double>::quiet_NaN();
        if (utc >= start && utc < end) {
            level = station.isReference ? ReferenceLevel(station, table, utc)
                                        : LevelBetweenExtremes(extremes, utc);
        }
        levels.push_back(std::isnan(level) ? level : ConvertLevel(level, station.units, wanted));
    }
    return levels;
}

std::optional<NearbyStation> PickStation(const std::vector<NearbyStation>& offered,
                                         std::string_view keptId) {
    for (const NearbyStation& station : offered) {
        if (!keptId.empty() && station.station.id == keptId) {
            return station;
        }
    }
    if (offered.empty()) {
        return std::nullopt;
    }
    return offered.front();
}

}  // namespace quintrel::tides
