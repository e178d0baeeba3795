#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel {

/// A day's rating, from the moon phase alone, in rising order; the value is its rank
/// (1 Poor .. 4 Best), so ratings compare as their ranks do.
enum class Rating { Poor = 1, Fair = 2, Good = 3, Best = 4 };

/// Every rating, worst first.
inline constexpr std::array<Rating, 4> kRatings = {Rating::Poor, Rating::Fair, Rating::Good,
                                                   Rating::Best};

/// The names the options and messages accept.
inline constexpr std::string_view kRatingChoices = "Poor, Fair, Good or Best";

/// The word the table writes: "Poor" .. "Best".
std::string_view RatingWord(Rating rating);

/// Its stars: "*" for Poor .. "****" for Best.
std::string_view RatingStars(Rating rating);

/// Word and stars as the windows list them: "Good ***".
std::string RatingLabel(Rating rating);

/// The rating a table writes as `word` ("Poor" .. "Best", exactly), or nothing for any
/// other text (a day between the bands has an empty rating).
std::optional<Rating> RatingOfWord(std::string_view word);

/// The rank of a table's rating word, 1 "Poor" .. 4 "Best"; 0 for any other text.
int RatingRank(std::string_view word);

/// The rating named by `text` as typed: any letter case, blanks around it ignored
/// ("good" is Good); nothing for another text.
std::optional<Rating> ParseRating(std::string_view text);

}  // namespace quintrel
