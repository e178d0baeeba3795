#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gazetteer/Gazetteer.h"

namespace quintrel {

/// The towns a search text means, most populous first: those whose whole name it gives
/// ("portland" and "portland maine" mean Portland, not Portlandville), or every match where
/// none does. At most `limit`. Empty for text too short to search for or without a match.
std::vector<GazetteerTown> TownsMeant(Gazetteer& gazetteer, std::string_view text,
                                      std::size_t limit);

/// A search text that means `town` alone: its name, then with its state ("Portland
/// Oregon"), its state's abbreviation or its country, whichever is first to mean one town.
/// Where none does (two towns of one name in one state), the name with state and country,
/// and `unique` is false; `largest` then says whether the town is the most populous of those
/// that text means.
struct TownSuggestion {
    std::string text;
    bool unique = false;
    bool largest = false;
};
TownSuggestion SuggestionFor(Gazetteer& gazetteer, const GazetteerTown& town);

/// How many times more people a town must have than every other town meant, to be taken
/// where the text means several.
inline constexpr std::uint32_t kClearlyLargest = 10;

/// The one town of `meant` (as TownsMeant gives them) a search for one town takes: the
/// only one, or one with kClearlyLargest times more people than each other; else none.
const GazetteerTown* TownTaken(const std::vector<GazetteerTown>& meant);

}  // namespace quintrel
