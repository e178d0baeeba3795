#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tides/TcdReader.h"
#include "tides/TideData.h"

namespace quintrel::tides {

/// Stations offered for a place: at most this many, within this distance.
inline constexpr std::size_t kMostStationsOffered = 10;
inline constexpr double kStationRadiusKm = 100.0;

/// A tide station near a place.
struct NearbyStation {
    TideStation station;
    double distanceKm = 0;  ///< great circle from the place
    double bearingDeg = 0;  ///< from the place to the station, clockwise from north
};

/// Every tide station of a set of harmonics files (TCD), behind one interface: the index
/// of each file stays in memory, stations are read whole when asked for. Heights come
/// out in the station's units unless others are asked for. A database may be used from
/// several threads; libtcd itself is only ever entered by one at a time (TcdReader).
class TideDatabase {
  public:
    TideDatabase() = default;

    /// Opens `paths` in order. Each file that cannot be opened or is refused by the
    /// checks is left out and its message kept in Problems(); the others are used.
    /// Only for files that are trusted or have passed ProbeTideFile.
    static std::shared_ptr<TideDatabase> Open(const std::vector<std::string>& paths);

    /// The one-line messages of the files left out, each naming its file.
    const std::vector<std::string>& Problems() const { return problems_; }
    /// The files in use, in the order given.
    std::vector<std::string> Files() const;
    bool Empty() const { return files_.empty(); }
    /// Adds the messages of files refused before they were opened.
    void AddProblems(const std::vector<std::string>& messages) {
        problems_.insert(problems_.end(), messages.begin(), messages.end());
    }

    /// The tide stations within `radiusKm` of a place, nearest first, at most `most`;
    /// currents are left out. Empty when none is that near.
    std::vector<NearbyStation> Nearby(double latitudeDeg, double longitudeDeg,
                                      std::size_t most = kMostStationsOffered,
                                      double radiusKm = kStationRadiusKm) const;

    /// The tide stations whose id is `text` (exactly, ignoring case) or, when none has that
    /// id, whose name contains `text` (ignoring case); an empty text finds nothing.
    std::vector<TideStation> Find(std::string_view text) const;

    /// The station of record `record` in file number `file`; nothing when it is no tide
    /// station. Throws CoreError when the record cannot be read.
    std::optional<TideStation> Station(int file, int record) const;

    /// The years the tables of the station's file cover.
    std::pair<int, int> Years(const TideStation& station) const;

    /// The highs and lows of `station` in [fromUtc, toUtc), oldest first, to the second,
    /// heights above the station's datum in `units` (the station's own when not given).
    /// A subordinate station's come from its reference station (TidePredictor.h).
    /// Instants outside the file's years give nothing.
    std::vector<TideExtreme> Extremes(const TideStation& station, UtcSeconds fromUtc,
                                      UtcSeconds toUtc,
                                      std::optional<LevelUnits> units = std::nullopt) const;

    /// The water level of `station` at each of `instants` (ascending), in `units` (the
    /// station's when not given): the harmonic sum for a reference station, a half-cosine
    /// between highs and lows for a subordinate one. NaN where there is no level (outside
    /// the tables' years).
    std::vector<double> Levels(const TideStation& station, const std::vector<UtcSeconds>& instants,
                               std::optional<LevelUnits> units = std::nullopt) const;

  private:
    const TcdIndex& FileOf(const TideStation& station) const;
    TideStation ReferenceOf(const TideStation& station) const;

    std::vector<TcdIndex> files_;
    std::vector<std::string> problems_;
    // Reference stations read for subordinate ones, by (file, record).
    mutable std::mutex cacheLock_;
    mutable std::map<std::pair<int, int>, TideStation> references_;
};

/// The station to show for a place: the offered one whose id is `keptId` (the user's
/// choice kept for the place), otherwise the nearest; nothing when none is offered.
std::optional<NearbyStation> PickStation(const std::vector<NearbyStation>& offered,
                                         std::string_view keptId);

}  // namespace quintrel::tides
