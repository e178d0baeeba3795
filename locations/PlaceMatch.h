#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astro/CoreError.h"
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

/// Why a choice names no single place.
enum class PlaceChoiceProblem { EmptyList, NoSuchPosition, NoMatch, SeveralMatch };

/// A choice that names no place or several; the message says which and names the first
/// matches.
class PlaceChoiceError : public CoreError {
  public:
    PlaceChoiceError(const std::string& message, PlaceChoiceProblem problem, bool moreThanShown)
        : CoreError(message), problem_(problem), moreThanShown_(moreThanShown) {}
    PlaceChoiceProblem Problem() const { return problem_; }
    /// Several matched, more than the message lists.
    bool MoreThanShown() const { return moreThanShown_; }

  private:
    PlaceChoiceProblem problem_;
    bool moreThanShown_;
};

/// The one way a typed place is taken, wherever a user names one (the command line's
/// --place, the log's Place column): a whole number is a position from 0; any other text
/// picks the one place whose "Country (Town)" contains it (MatchPlaces). Throws
/// PlaceChoiceError when the list is empty, the position is outside it, nothing matches,
/// or several places match (listing the first 20 and saying how many more).
int ChoosePlace(const LocationList& places, std::string_view utf8Choice);

}  // namespace quintrel
