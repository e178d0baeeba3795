// Day rating for animal activity from the moon phase alone. The bands are multiples of
// 6.78 points of lit percentage, about one day of the moon's age each.

#include <iterator>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

struct RatingBand {
    float lowerPercent;
    float upperPercent;
    const char* whenWaxing;
    const char* whenWaning;
};

// The bounds are compared as singles, like the percentage; the gaps between bands hold no
// two-decimal value.
const RatingBand kBands[] = {
    {0.0f, 6.78f, "Good", "Fair"},    {6.79f, 20.34f, "Best", "Fair"},
    {20.35f, 27.12f, "Best", "Good"}, {27.13f, 33.9f, "Good", "Good"},
    {33.91f, 40.68f, "Fair", "Fair"}, {40.69f, 74.58f, "Poor", "Poor"},
    {74.59f, 88.14f, "Fair", "Fair"}, {88.15f, 94.92f, "Best", "Best"},
    {94.93f, 100.0f, "Good", "Good"},
};

std::string StarsFor(const std::string& rating) {
    if (rating == "Poor") {
        return "*";
    }
    if (rating == "Fair") {
        return "**";
    }
    if (rating == "Good") {
        return "***";
    }
    if (rating == "Best") {
        return "****";
    }
    return "";
}

}  // namespace

DayRatingResult DayRating(float percentLit, bool waxing) {
    DayRatingResult result;
    for (const RatingBand& band : kBands) {
        if (percentLit >= band.lowerPercent && percentLit <= band.upperPercent) {
            result.rating = waxing ? band.whenWaxing : band.whenWaning;
            break;
        }
    }
    result.stars = StarsFor(result.rating);
    return result;
}

}  // namespace quintrel::mRiseSet
