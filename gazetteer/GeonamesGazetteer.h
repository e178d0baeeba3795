#pragma once

#include <memory>
#include <string_view>

#include "gazetteer/Gazetteer.h"

namespace quintrel {

/// The gazetteer of libgeonames: about 24,000 towns of 15,000 people or more from
/// GeoNames (CC BY 4.0). The library's own query scans and folds every name each time
/// (some 400 ms), too slow for a search as the user types; so the towns are read once into
/// a folded index (a few hundred milliseconds) that every gazetteer of the program shares,
/// and every search runs on that index. StartReading reads it on a thread of its own, so
/// that the first keystroke finds it ready; otherwise the first search or lookup reads it.
class GeonamesGazetteer : public Gazetteer {
  public:
    GeonamesGazetteer();
    ~GeonamesGazetteer() override;

    std::vector<GazetteerTown> Search(std::string_view text, std::size_t limit) override;
    std::optional<GazetteerTown> Nearest(double latitude, double longitude) override;

    /// Reads the towns now, or waits for StartReading's thread, unless already done;
    /// throws CoreError when the library has none.
    void Open();

    /// Starts reading the towns on a thread of their own, unless begun already; returns at
    /// once. Call it at program start.
    static void StartReading();

    struct Index;
    /// Reads the towns into a new index, as StartReading's thread does; throws CoreError
    /// when the library has none.
    static std::shared_ptr<const Index> ReadTowns();

  private:
    std::shared_ptr<const Index> index_;
};

}  // namespace quintrel
