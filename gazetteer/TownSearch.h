#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "gazetteer/Gazetteer.h"
#include "gazetteer/TownPlace.h"

namespace quintrel {

/// The rules of the location window's "Find a town" box, without any toolkit: the
/// entries of its drop-down as the user types, the line that says why there are none, the
/// place a picked entry fills in, and the zone for a spot that is no town.
class TownSearch {
  public:
    explicit TownSearch(Gazetteer& gazetteer) : gazetteer_(gazetteer) {}

    /// Searches for `text` and returns the drop-down's entries, most populous town first:
    /// "Christchurch, Canterbury, New Zealand". No entries for text of fewer than two
    /// letters, for no match, or when the gazetteer cannot be opened; Status says which.
    const std::vector<std::string>& Update(std::string_view text);
    /// Empty while there are entries; otherwise one line for the user.
    const std::string& Status() const { return status_; }

    /// The place of entry `index` of the last Update. Throws std::out_of_range.
    TownPlace Pick(std::size_t index) const;

    /// The zone and rule of the gazetteer town nearest to the position, with a note that
    /// names the town (and says why there is no rule, where there is none). Throws
    /// CoreError when the gazetteer cannot be opened.
    ZoneRuleResult ZoneAt(double latitude, double longitude) const;

  private:
    Gazetteer& gazetteer_;
    std::vector<GazetteerTown> towns_;
    std::vector<std::string> entries_;
    std::string status_;
};

/// A town as the drop-down shows it: name, state (when there is one) and country.
std::string TownEntryText(const GazetteerTown& town);

}  // namespace quintrel
