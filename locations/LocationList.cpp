#include "locations/LocationList.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// One insertion-sort pass over the entries `gap` apart. std::string compares bytes as
// unsigned values, which is the plain character-code order the list is kept in.
void InsertionPass(LocationList& list, std::size_t gap) {
    for (std::size_t i = gap; i < list.size(); ++i) {
        std::string moving = std::move(list[i]);
        std::size_t j = i;
        while (j >= gap && list[j - gap] > moving) {
            list[j] = std::move(list[j - gap]);
            j -= gap;
        }
        list[j] = std::move(moving);
    }
}

bool IsPosition(const LocationList& list, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < list.size();
}

}  // namespace

void CompactLocationList(LocationState& state) {
    auto& list = state.Locations;
    const auto firstEmpty =
        std::remove_if(list.begin(), list.end(), [](const std::string& r) { return r.empty(); });
    if (firstEmpty != list.end()) {
        list.erase(firstEmpty, list.end());
        state.LocationsChanged = true;
    }
}

void SortLocations(LocationList& list) {
    if (list.size() < 2) {
        return;
    }
    std::size_t gap = list.size() - 2;
    while (gap > 0) {
        InsertionPass(list, gap);
        gap = static_cast<std::size_t>(std::nearbyint(static_cast<double>(gap) / 3.0));
    }
    // The closing pass with gap 1 is a plain insertion sort, which alone guarantees order.
    InsertionPass(list, 1);
}

std::int16_t FindLocation(const LocationList& list, std::string_view key) {
    if (list.empty()) {
        return -1;
    }
    std::size_t lo = 0;
    std::size_t hi = list.size() - 1;
    while (true) {
        const auto mid = static_cast<std::size_t>(std::nearbyint((lo + hi) / 2.0));
        if (list[mid] == key) {
            return static_cast<std::int16_t>(mid);
        }
        if (hi == lo + 1) {
            // The midpoint of two neighbours rounds to either; look at the upper one next.
            lo = hi;
        } else if (mid == lo) {
            return -1;
        } else if (list[mid] > key) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
}

std::int16_t SelectableLocationIndex(const LocationState& state) {
    if (state.Locations.empty()) {
        return -1;
    }
    return IsPosition(state.Locations, state.LocationIndex) ? state.LocationIndex : 0;
}

bool StoreLocation(LocationState& state, bool ok, std::string_view record, bool isNew,
                   int currentPosition) {
    // A short record cannot come from the location window; storing it would lose the zone.
    if (!ok || record.size() < kRecordLengthWithoutRules) {
        return false;
    }
    auto& list = state.Locations;
    if (isNew) {
        if (list.size() >= kMaxLocations) {
            return false;
        }
        list.emplace_back(record);
    } else if (IsPosition(list, currentPosition)) {
        list[static_cast<std::size_t>(currentPosition)] = std::string(record);
    } else {
        return false;
    }
    SortLocations(list);
    state.LocationIndex = FindLocation(list, record);
    state.LocationsChanged = true;
    return true;
}

bool RemoveLocation(LocationState& state, int position) {
    auto& list = state.Locations;
    if (!IsPosition(list, position)) {
        return false;
    }
    list.erase(list.begin() + position);
    if (list.empty()) {
        state.LocationIndex = -1;
    } else {
        state.LocationIndex = static_cast<std::int16_t>(position > 0 ? position - 1 : 0);
    }
    state.LocationsChanged = true;
    return true;
}

}  // namespace quintrel
