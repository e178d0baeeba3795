#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "gazetteer/Gazetteer.h"

namespace quintrel {

/// The country field the place list would give a town, in its own naming: "USA - Maine",
/// "Canada - BC", "Australia - NSW", "UK - Scotland", otherwise the country, shortened
/// (see ShortenName) to the field's 21 characters. UTF-8.
std::string ListCountryName(const GazetteerTown& town);

/// The words besides its name that a search may give to mean a town (UTF-8): its state,
/// country, the country field the place list would give it ("USA - Oregon", "UK -
/// Scotland") and a US or Australian state's abbreviation ("OR", "NSW").
std::string PlaceSearchText(const GazetteerTown& town);

/// The town's state as a person names it: without "State of " ("Maine", not "State of
/// Maine"); empty when there is none or it is the town's own name.
std::string StateName(const GazetteerTown& town);

/// The town field for a town name: the name shortened to the field's 16 characters.
std::string ListTownName(std::string_view name);

/// `utf8` in at most `characters` characters without cutting a word: small words that
/// begin in lower case ("de", "of", "and") go first ("Fernando de Noronha" becomes
/// "Fernando Noronha"), then words from the end ("San Luis Potosí City" becomes "San Luis
/// Potosí"). Only a first word longer than the limit is cut.
std::string ShortenName(std::string_view utf8, std::size_t characters);

}  // namespace quintrel
