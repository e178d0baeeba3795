#pragma once

#include <string_view>
#include <vector>

#include "locations/LocationList.h"

namespace quintrel {

/// Whether two location records are the same town: equal town names (case ignored, trailing
/// blanks ignored) whose latitudes and longitudes each differ by at most one minute of arc.
/// A record whose position columns do not read as numbers is never the same town as another.
bool IsSameTown(std::string_view a, std::string_view b);

/// The first position in `places` holding the same town as `record` (IsSameTown), or -1.
int FindSameTown(const LocationList& places, std::string_view record);

/// The places whose "Country (Town)" (as the place list shows it) contains `utf8Text`,
/// case ignored, in list order. A place whose whole name equals the text is returned alone,
/// so a full name is never ambiguous with longer ones. Blank text matches nothing.
std::vector<int> MatchPlaces(const LocationList& places, std::string_view utf8Text);

}  // namespace quintrel
