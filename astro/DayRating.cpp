// Day rating for animal activity from the moon phase alone. The bands are multiples of
// 6.78 points of lit percentage, about one day of the moon's age each.

#include <iterator>

#include "astro/Rating.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

struct RatingBand {
    float lowerPercent;
    float upperPercent;
    Rating whenWaxing;
    Rating whenWaning;
};

// The bounds are compared as singles, like the percentage; the gaps between bands hold no
// two-decimal value.
const RatingBand kBands[] = {
    {0.0f, 6.78f, Rating::Good, Rating::Fair},    {6.79f, 20.34f, Rating::Best, Rating::Fair},
    {20.35f, 27.12f, Rating::Best, Rating::Good}, {27.13f, 33.9f, Rating::Good, Rating::Good},
    {33.91f, 40.68f, Rating::Fair, Rating::Fair}, {40.69f, 74.58f, Rating::Poor, Rating::Poor},
    {74.59f, 88.14f, Rating::Fair, Rating::Fair}, {88.15f, 94.92f, Rating::Best, Rating::Best},
    {94.93f, 100.0f, Rating::Good, Rating::Good},
};

}  // namespace

DayRatingResult DayRating(float percentLit, bool waxing) {
    DayRatingResult result;
    for (const RatingBand& band : kBands) {
        if (percentLit >= band.lowerPercent && percentLit <= band.upperPercent) {
            const Rating rating = waxing ? band.whenWaxing : band.whenWaning;
            result.rating = RatingWord(rating);
            result.stars = RatingStars(rating);
            break;
        }
    }
    return result;
}

}  // namespace quintrel::mRiseSet
