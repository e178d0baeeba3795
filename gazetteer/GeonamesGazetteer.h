#pragma once

#include <memory>

#include "gazetteer/Gazetteer.h"

namespace quintrel {

/// The gazetteer of libgeonames: about 24,000 towns of 15,000 people or more from
/// GeoNames (CC BY 4.0). The library's own query scans and folds every name each time
/// (some 400 ms), too slow for a search as the user types; so the first search or lookup
/// reads all towns once into a folded index (a few hundred milliseconds) and every later
/// search runs on that index.
class GeonamesGazetteer : public Gazetteer {
  public:
    GeonamesGazetteer();
    ~GeonamesGazetteer() override;

    std::vector<GazetteerTown> Search(std::string_view text, std::size_t limit) override;
    std::optional<GazetteerTown> Nearest(double latitude, double longitude) override;

    /// Reads the towns now unless already done; throws CoreError when the library has none.
    void Open();

  private:
    struct Index;
    std::unique_ptr<Index> index_;
};

}  // namespace quintrel
