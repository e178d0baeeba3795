#include "astro/Rating.h"

#include <cctype>

namespace quintrel {

namespace {

struct RatingTexts {
    std::string_view word;
    std::string_view stars;
};

// Indexed by rank - 1.
constexpr std::array<RatingTexts, 4> kTexts{
    {{"Poor", "*"}, {"Fair", "**"}, {"Good", "***"}, {"Best", "****"}}};

const RatingTexts& TextsOf(Rating rating) {
    return kTexts[static_cast<std::size_t>(rating) - 1];
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string_view RatingWord(Rating rating) {
    return TextsOf(rating).word;
}

std::string_view RatingStars(Rating rating) {
    return TextsOf(rating).stars;
}

std::string RatingLabel(Rating rating) {
    return std::string(RatingWord(rating)) + " " + std::string(RatingStars(rating));
}

std::optional<Rating> RatingOfWord(std::string_view word) {
    for (const Rating rating : kRatings) {
        if (RatingWord(rating) == word) {
            return rating;
        }
    }
    return std::nullopt;
}

int RatingRank(std::string_view word) {
    const std::optional<Rating> rating = RatingOfWord(word);
    return rating ? static_cast<int>(*rating) : 0;
}

std::optional<Rating> ParseRating(std::string_view text) {
    const auto blank = [](char c) { return c == ' '; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    for (const Rating rating : kRatings) {
        if (SameIgnoringCase(RatingWord(rating), text)) {
            return rating;
        }
    }
    return std::nullopt;
}

}  // namespace quintrel
