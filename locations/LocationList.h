#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

/// The places, one location record each (Windows-1252 bytes), kept in ascending byte
/// order so favourites come first, then by country, then by town. Entry i is entry i of
/// the main window's place list.
using LocationList = std::vector<std::string>;

/// The most places the list can hold: positions in it are 16-bit.
inline constexpr std::size_t kMaxLocations = 32767;

/// The list of places with its two companion values; lives for the whole run.
struct LocationState {
    LocationList Locations;
    std::int16_t LocationIndex = -1;  ///< selected position in Locations; -1 = none
    bool LocationsChanged = false;    ///< Locations differs from what locs.dat holds
};

/// Drops empty entries, keeping the order of the others; sets LocationsChanged when it
/// dropped any.
void CompactLocationList(LocationState& state);

/// Sorts the list in place into ascending order by plain byte comparison of the whole
/// record (case-sensitive, no locale), with a shell sort whose gaps start at size - 2 and
/// shrink by a third, rounded half to even, down to a last pass with gap 1.
void SortLocations(LocationList& list);

/// Position of an entry equal to `key` in a sorted list, found by halving, or -1 when
/// there is none. With equal entries any one of them may be returned.
std::int16_t FindLocation(const LocationList& list, std::string_view key);

/// The position the place list should select: LocationIndex when it is a position in the
/// list, otherwise 0; -1 for an empty list.
std::int16_t SelectableLocationIndex(const LocationState& state);

/// Puts a record that came back from the location window into the list: appended when
/// isNew, otherwise replacing the entry at currentPosition. The list is then re-sorted and
/// LocationIndex set to the record's new position, and LocationsChanged is set.
/// Does nothing and returns false when ok is false, the record is shorter than 59 bytes,
/// (when adding) the list already holds kMaxLocations places, or (when editing)
/// currentPosition is not a position in the list.
bool StoreLocation(LocationState& state, bool ok, std::string_view record, bool isNew,
                   int currentPosition);

/// Removes the entry at `position` (after the user has confirmed) and moves the selection
/// to the place before it, or keeps it at 0 when the first place went; an emptied list
/// leaves LocationIndex at -1. Sets LocationsChanged. Returns false, changing nothing,
/// when position is not a position in the list.
bool RemoveLocation(LocationState& state, int position);

}  // namespace quintrel
