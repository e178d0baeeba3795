#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// `utf8` as the town search compares it: lower case, accents dropped ("Zürich" and
/// "zurich" give "zurich"), letters without a decomposition spelt out ("ß" gives "ss",
/// "ł" "l", "ø" "o", "đ" "d", "æ" "ae"), apostrophes dropped ("John's" gives "johns") and
/// every other mark a break between words, the words joined by single blanks. Letters of
/// other scripts stay as they are, in lower case. The stored names and what the user types
/// both pass through here, so that they compare alike.
std::string FoldTownText(std::string_view utf8);

/// Whether `utf8` holds a letter other than the plain a-z, A-Z: a search for it that finds
/// nothing may have been given the town's name in its own language, where the list keeps
/// the English one (Munich, not München).
bool HasLettersBeyondPlainAscii(std::string_view utf8);

/// The sentence to add where a search for `utf8` found nothing: empty unless the text holds
/// letters beyond plain ASCII.
std::string EnglishNamesHint(std::string_view utf8);

}  // namespace quintrel
