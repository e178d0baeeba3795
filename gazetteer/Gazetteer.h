#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintrel {

/// A town of the gazetteer. Texts are UTF-8, in English.
struct GazetteerTown {
    std::string name;
    std::string state;  ///< state, province or region; may be empty
    std::string country;
    std::string countryCode;  ///< ISO 3166 two letters, e.g. "NZ"
    std::string timeZone;     ///< IANA name, e.g. "Pacific/Auckland"
    double latitude = 0;      ///< degrees, north positive
    double longitude = 0;     ///< degrees, east positive
    std::uint32_t population = 0;
    /// Set by Search when the search text is the town's whole name, perhaps followed by
    /// more words ("portland" or "portland maine" for Portland, not "port").
    bool wholeName = false;
};

/// A searchable list of towns. Implementations may open their data on first use and then
/// throw CoreError when it cannot be opened.
class Gazetteer {
  public:
    virtual ~Gazetteer() = default;

    /// The towns whose names have words beginning with every word of `text`, both folded
    /// by FoldTownText (case, accents and punctuation ignored: "tromso" finds Tromsø, "st
    /// johns" St. John's), most populous first, at most `limit`. A word may also match
    /// the town's state or country, or their short forms (see PlaceSearchText: "portland
    /// maine", "portland or", "london uk"), as long as the first one matches the name.
    /// Text of fewer than two letters finds nothing.
    virtual std::vector<GazetteerTown> Search(std::string_view text, std::size_t limit) = 0;

    /// The town nearest to a position, or none when the gazetteer is empty.
    virtual std::optional<GazetteerTown> Nearest(double latitude, double longitude) = 0;
};

/// The shortest search text that finds anything.
inline constexpr std::size_t kMinimumSearchLength = 2;

/// Whether `utf8` has fewer than kMinimumSearchLength characters other than blanks, so
/// that a search for it finds nothing for that reason rather than for want of a town.
inline bool SearchTextTooShort(std::string_view utf8) {
    std::size_t characters = 0;
    for (const char c : utf8) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != ' ' ? 1 : 0;
    }
    return characters < kMinimumSearchLength;
}

}  // namespace quintrel
