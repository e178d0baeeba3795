#pragma once

#include <string>

#include "locations/LocationList.h"

namespace quintrel {

/// The outcome of merging two windows' versions of the place list.
struct LocationMerge {
    LocationList Locations;  ///< the merged list, sorted
    int OtherAdded = 0;      ///< places only the other side added, kept
    int OtherDeleted = 0;    ///< places only the other side deleted, kept deleted
    int OtherChanged = 0;    ///< places only the other side changed, kept changed
    int BothChanged = 0;     ///< places both sides changed differently: this side's kept
};

/// Three-way merge of the place list. `base` is what both sides started from, `mine` this
/// window's list, `theirs` what the file holds now. A place is known by its country and
/// town (columns 2-38), so changing its favourite mark or its numbers is a change of the
/// same place, while renaming it is a deletion and an addition. For each place: untouched
/// here, the other side's version (including its deletion) wins; untouched there, this
/// side's; changed on both sides, this side's. Lists need not be sorted; never throws
/// except for lack of memory.
LocationMerge MergeLocationLists(const LocationList& base, const LocationList& mine,
                                 const LocationList& theirs);

/// One message for the user about a merge that took something from the other side,
/// e.g. "... 2 places added and 1 deleted there were kept."; empty when nothing came from
/// there and nothing clashed.
std::string LocationMergeText(const LocationMerge& merge);

}  // namespace quintrel
