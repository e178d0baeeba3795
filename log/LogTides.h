#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "log/LogStatistics.h"
#include "tides/TideDatabase.h"

namespace quintrel::logbook {

/// The tide chart's source from the tide stations of `database`. Each place gets the
/// station the tide table shows for it (StationsForPlace: the user's kept choice among
/// those within 100 km, else the nearest); a catch's time is read on the place's real
/// clock and set against the instants of the station's highs and lows, rounded to the
/// minute as the tide table shows them. The highs and lows are computed for each outing's
/// stretch of catches, the stretches shared out over the threads. A catch more than 4
/// hours from any high or low water is given as 4 hours: it is in the last band ("3+")
/// however far it is.
class LogTideStages final : public TideStageSource {
  public:
    /// `keptId` gives the kept station id of a place list record (Windows-1252); null or
    /// an empty answer: the nearest station. It is asked on the calling thread only.
    LogTideStages(std::shared_ptr<const tides::TideDatabase> database,
                  std::function<std::string(const std::string& record)> keptId);
    ~LogTideStages() override;

    bool HasStation(const std::string& record) const override;
    std::vector<std::optional<double>> MinutesFromTurns(const std::vector<TideQuery>& queries,
                                                        int threads) const override;

  private:
    struct Place;
    const Place& PlaceOf(const std::string& record) const;

    std::shared_ptr<const tides::TideDatabase> database_;
    std::function<std::string(const std::string& record)> keptId_;
    mutable std::map<std::string, std::unique_ptr<Place>> places_;  // by the UTF-8 record
};

}  // namespace quintrel::logbook
