#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "astro/Rating.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

// A percentage as MoonPhase delivers it: two decimals, stored as a single.
float Percent(int hundredths) {
    return static_cast<float>(hundredths / 100.0);
}

TEST(DayRating, BandEdges) {
    struct Case {
        int hundredths;
        bool waxing;
        const char* rating;
        const char* stars;
    };
    const Case cases[] = {
        {678, true, "Good", "***"},    {679, true, "Best", "****"},  {679, false, "Fair", "**"},
        {4068, false, "Fair", "**"},   {4069, false, "Poor", "*"},   {7458, true, "Poor", "*"},
        {7459, true, "Fair", "**"},    {10000, true, "Good", "***"}, {0, false, "Fair", "**"},
        {0, true, "Good", "***"},      {660, true, "Good", "***"},   {2034, false, "Fair", "**"},
        {2035, false, "Good", "***"},  {2712, true, "Best", "****"}, {2713, true, "Good", "***"},
        {3390, true, "Good", "***"},   {3391, true, "Fair", "**"},   {8814, false, "Fair", "**"},
        {8815, false, "Best", "****"}, {9492, true, "Best", "****"}, {9493, true, "Good", "***"},
    };
    for (const auto& c : cases) {
        const DayRatingResult r = DayRating(Percent(c.hundredths), c.waxing);
        EXPECT_EQ(r.rating, c.rating) << c.hundredths << (c.waxing ? "+" : "-");
        EXPECT_EQ(r.stars, c.stars) << c.hundredths << (c.waxing ? "+" : "-");
    }
}

TEST(DayRating, EveryTwoDecimalPercentageHasARating) {
    for (int hundredths = 0; hundredths <= 10000; ++hundredths) {
        for (bool waxing : {false, true}) {
            const DayRatingResult r = DayRating(Percent(hundredths), waxing);
            ASSERT_FALSE(r.rating.empty()) << hundredths;
            const std::string expectedStars = r.rating == "Poor"   ? "*"
                                              : r.rating == "Fair" ? "**"
                                              : r.rating == "Good" ? "***"
                                                                   : "****";
            ASSERT_EQ(r.stars, expectedStars) << hundredths;
        }
    }
}

TEST(DayRating, FromTheMoonPhaseOfADay) {
    const MoonPhaseResult phase =
        MoonPhase(static_cast<float>(JulianDayNumber(2003, 11, 25) - 0.5));
    EXPECT_EQ(DayRating(phase.percentLit, phase.waxing).rating, "Good");
}

}  // namespace
}  // namespace quintrel::mRiseSet

namespace quintrel {
namespace {

// Every rating's word, stars and rank, read back from the word and from typed text.
TEST(Rating, WordStarsAndRankBelongTogether) {
    const struct {
        Rating rating;
        const char* word;
        const char* stars;
        int rank;
        const char* typed;
    } cases[] = {
        {Rating::Poor, "Poor", "*", 1, "poor"},
        {Rating::Fair, "Fair", "**", 2, " FAIR "},
        {Rating::Good, "Good", "***", 3, "gOoD"},
        {Rating::Best, "Best", "****", 4, "best"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RatingWord(c.rating), c.word);
        EXPECT_EQ(RatingStars(c.rating), c.stars);
        EXPECT_EQ(RatingLabel(c.rating), std::string(c.word) + " " + c.stars);
        EXPECT_EQ(static_cast<int>(c.rating), c.rank);
        EXPECT_EQ(RatingRank(c.word), c.rank);
        EXPECT_EQ(RatingOfWord(c.word), c.rating);
        EXPECT_EQ(ParseRating(c.typed), c.rating) << c.typed;
    }
    // The table's words are exact; only typed text may differ in case.
    for (const char* other : {"", "good", "Great", "Good ***", "\tGood"}) {
        EXPECT_EQ(RatingOfWord(other), std::nullopt) << other;
        EXPECT_EQ(RatingRank(other), 0) << other;
    }
    EXPECT_EQ(ParseRating("Great"), std::nullopt);
    EXPECT_EQ(ParseRating("\tGood"), std::nullopt);
}

}  // namespace
}  // namespace quintrel
