#include "locations/LocationMerge.h"

#include <algorithm>
#include <array>
#include <map>

#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

std::string PlaceKey(std::string_view record) {
    std::string key(FieldText(record, LocationColumns::Country));
    key += '\0';
    key += FieldText(record, LocationColumns::Town);
    return key;
}

std::string Count(int count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

LocationMerge MergeLocationLists(const LocationList& base, const LocationList& mine,
                                 const LocationList& theirs) {
    enum { kBase, kMine, kTheirs };
    // Every version of each place on each side; a name may (rarely) stand for several.
    std::map<std::string, std::array<LocationList, 3>> places;
    const LocationList* sides[] = {&base, &mine, &theirs};
    for (int side = kBase; side <= kTheirs; ++side) {
        for (const std::string& record : *sides[side]) {
            places[PlaceKey(record)][side].push_back(record);
        }
    }
    LocationMerge merge;
    for (auto& [key, versions] : places) {
        for (LocationList& version : versions) {
            std::sort(version.begin(), version.end());
        }
        const LocationList& was = versions[kBase];
        const LocationList& here = versions[kMine];
        const LocationList& there = versions[kTheirs];
        const LocationList* kept = &here;
        if (here == was) {
            kept = &there;
            if (there != was) {
                if (was.empty()) {
                    merge.OtherAdded += static_cast<int>(there.size());
                } else if (there.empty()) {
                    merge.OtherDeleted += static_cast<int>(was.size());
                } else {
                    ++merge.OtherChanged;
                }
            }
        } else if (there != was && there != here) {
            ++merge.BothChanged;
        }
        merge.Locations.insert(merge.Locations.end(), kept->begin(), kept->end());
    }
    SortLocations(merge.Locations);
    return merge;
}

std::string LocationMergeText(const LocationMerge& merge) {
    std::string kept;
    const auto add = [&kept](int count, const std::string& what) {
        if (count > 0) {
            kept += (kept.empty() ? "" : ", ") + what;
        }
    };
    add(merge.OtherAdded, Count(merge.OtherAdded, "place added", "places added"));
    add(merge.OtherDeleted, Count(merge.OtherDeleted, "place deleted", "places deleted"));
    add(merge.OtherChanged, Count(merge.OtherChanged, "place changed", "places changed"));
    if (kept.empty() && merge.BothChanged == 0) {
        return {};
    }
    std::string text =
        "The list of places was changed by another Quintrel window while this one was open. "
        "Both windows' changes have been saved together.";
    if (!kept.empty()) {
        text += "\r\nKept from the other window: " + kept + ".";
    }
    if (merge.BothChanged > 0) {
        text += "\r\n" + Count(merge.BothChanged, "place was", "places were") +
                " changed in both windows; this window's version was kept.";
    }
    return text;
}

}  // namespace quintrel
