#include "gazetteer/TownChoice.h"

#include "gazetteer/TownFold.h"
#include "gazetteer/TownNames.h"

namespace quintrel {

namespace {

// Enough to see whether a text means one town, and to list what a short text means.
constexpr std::size_t kMostMeant = 50;

bool SameTown(const GazetteerTown& a, const GazetteerTown& b) {
    return a.name == b.name && a.state == b.state && a.countryCode == b.countryCode &&
           a.latitude == b.latitude && a.longitude == b.longitude;
}

}  // namespace

std::vector<GazetteerTown> TownsMeant(Gazetteer& gazetteer, std::string_view text,
                                      std::size_t limit) {
    std::vector<GazetteerTown> towns = gazetteer.Search(text, limit);
    std::vector<GazetteerTown> whole;
    for (const GazetteerTown& town : towns) {
        if (town.wholeName) {
            whole.push_back(town);
        }
    }
    return whole.empty() ? towns : whole;
}

TownSuggestion SuggestionFor(Gazetteer& gazetteer, const GazetteerTown& town) {
    const std::string state = StateName(town);
    std::vector<std::string> candidates = {town.name};
    if (!state.empty()) {
        candidates.push_back(town.name + " " + state);
    }
    // The place list's own short forms: "Portland OR", "Perth WA", "London UK".
    const std::string place = PlaceSearchText(town);
    const std::string listed = ListCountryName(town);
    const std::size_t after = place.rfind(listed);
    if (after != std::string::npos && after + listed.size() + 1 < place.size()) {
        candidates.push_back(town.name + " " + place.substr(after + listed.size() + 1));
    }
    candidates.push_back(town.name + " " + listed.substr(0, listed.find(" - ")));
    candidates.push_back(town.name + (state.empty() ? "" : " " + state) + " " + town.country);
    std::vector<GazetteerTown> meant;
    for (const std::string& candidate : candidates) {
        meant = TownsMeant(gazetteer, candidate, kMostMeant);
        if (meant.size() == 1 && SameTown(meant.front(), town)) {
            return {candidate, true, true};
        }
    }
    return {candidates.back(), false, !meant.empty() && SameTown(meant.front(), town)};
}

const GazetteerTown* TownTaken(const std::vector<GazetteerTown>& meant) {
    if (meant.empty()) {
        return nullptr;
    }
    // Most populous first: the first is the only candidate.
    for (std::size_t i = 1; i < meant.size(); ++i) {
        if (static_cast<std::uint64_t>(meant[i].population) * kClearlyLargest >
            meant.front().population) {
            return nullptr;
        }
    }
    return &meant.front();
}

}  // namespace quintrel
