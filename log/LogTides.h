#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "log/LogStatistics.h"
#include "tides/TideDatabase.h"

namespace quintrel::logbook {

/// The tide chart's source from the tide stations of `database`. Each place gets the
/// station the tide table shows for it (StationsForPlace: the user's kept choice among
/// those within 100 km, else the nearest); a catch's time is read on the place's real
/// clock and set against the instants of the station's highs and lows, rounded to the
/// minute as the tide table shows them. The highs and lows of each station are computed
/// a day at a time and kept, so a ten-year log computes each day once. Not for use from
/// several threads at once.
class LogTideStages final : public TideStageSource {
  public:
    /// `keptId` gives the kept station id of a place list record (Windows-1252); null or
    /// an empty answer: the nearest station.
    LogTideStages(std::shared_ptr<const tides::TideDatabase> database,
                  std::function<std::string(const std::string& record)> keptId);
    ~LogTideStages() override;

    bool HasStation(const std::string& record) const override;
    std::optional<double> MinutesFromTurn(const std::string& record, DaySerial date,
                                          int minuteOfDay) const override;

  private:
    struct Place;
    const Place& PlaceOf(const std::string& record) const;
    /// The turns (instants rounded to the minute) of `station` on UTC day `day`.
    const std::vector<std::int64_t>& TurnsOn(const tides::TideStation& station,
                                             std::int64_t day) const;

    std::shared_ptr<const tides::TideDatabase> database_;
    std::function<std::string(const std::string& record)> keptId_;
    mutable std::map<std::string, std::unique_ptr<Place>> places_;  // by the UTF-8 record
    mutable std::map<std::pair<int, int>, std::map<std::int64_t, std::vector<std::int64_t>>>
        turns_;  // by (file, record) of the station, then UTC day
};

}  // namespace quintrel::logbook
