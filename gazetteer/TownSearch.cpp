#include "gazetteer/TownSearch.h"

#include <stdexcept>

#include "astro/CoreError.h"
#include "gazetteer/TownFold.h"

namespace quintrel {

namespace {

constexpr std::size_t kMostEntries = 12;

}  // namespace

std::string TownEntryText(const GazetteerTown& town) {
    std::string text = town.name;
    if (!town.state.empty() && town.state != town.name) {
        text += ", " + town.state;
    }
    return text + ", " + town.country;
}

const std::vector<std::string>& TownSearch::Update(std::string_view text) {
    towns_.clear();
    entries_.clear();
    status_.clear();
    try {
        towns_ = gazetteer_.Search(text, kMostEntries);
    } catch (const CoreError& error) {
        status_ = std::string(error.what()) + "; enter the place by hand.";
        return entries_;
    }
    for (const GazetteerTown& town : towns_) {
        entries_.push_back(TownEntryText(town));
    }
    if (entries_.empty()) {
        status_ = SearchTextTooShort(text)
                      ? "Type at least two letters of the town's name."
                      : "No town of 15,000 people or more matches \"" + std::string(text) +
                            "\"; enter the place by hand." + EnglishNamesHint(text);
    }
    return entries_;
}

TownPlace TownSearch::Pick(std::size_t index) const {
    return PlaceForTown(towns_.at(index));
}

ZoneRuleResult TownSearch::ZoneAt(double latitude, double longitude) const {
    const auto town = gazetteer_.Nearest(latitude, longitude);
    if (!town) {
        throw CoreError("The town list is empty");
    }
    ZoneRuleResult zone = ZoneRuleFor(town->timeZone, latitude > 0);
    const std::string named = "Time zone of the nearest town, " + town->name + ", " +
                              town->country + " (" + town->timeZone + ").";
    zone.note = zone.note.empty() ? named : named + " " + zone.note;
    return zone;
}

}  // namespace quintrel
