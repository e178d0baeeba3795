#include "table/ChangeDayCorrection.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

#include "astro/mRiseSet.h"

namespace quintrel {
namespace {

struct CorrectionCase {
    const char* name;
    const char* before;
    bool isStartDay;
    bool isEndDay;
    const char* after;
};

void PrintTo(const CorrectionCase& c, std::ostream* out) {
    *out << c.name;
}

// Cases that both corrections treat alike: real times on the two change days.
const CorrectionCase kTimeCases[] = {
    {"StartDayBeforeTwoMovesBack", "01:40", true, false, "00:40"},
    {"StartDayJustAfterMidnightIsLost", "00:20", true, false, ":"},
    {"StartDayAtTwoStays", "02:00", true, false, "02:00"},
    {"StartDayLateStays", "23:10", true, false, "23:10"},
    {"EndDayFromFourMovesBack", "05:10", false, true, "04:10"},
    {"EndDayAtFourMovesBack", "04:00", false, true, "03:00"},
    {"EndDayBeforeFourStays", "03:30", false, true, "03:30"},
    {"EndDayTwentyFourMovesBack", "24:00", false, true, "23:00"},
    {"OrdinaryDayStays", "01:40", false, false, "01:40"},
    {"MarkerStays", ":", true, true, ":"},
};

class BothCorrections : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(BothCorrections, MoveOnlyMisplacedTimes) {
    const CorrectionCase& c = GetParam();
    std::string own = c.before;
    CorrectOwnTime(own, c.isStartDay, c.isEndDay);
    EXPECT_EQ(own, c.after);
    std::string neighbour = c.before;
    CorrectNeighbourTime(neighbour, c.isStartDay, c.isEndDay);
    EXPECT_EQ(neighbour, c.after);
}

// The day picture places its curves with the correction on hours; it must move exactly
// the moments whose texts the table moves.
TEST_P(BothCorrections, OnHoursAgreesWithTheTexts) {
    const CorrectionCase& c = GetParam();
    if (std::string_view(c.before) == ":") {
        return;
    }
    const double hours =
        CorrectedHours(mRiseSet::TimeTextToHours(c.before), c.isStartDay, c.isEndDay);
    if (std::string_view(c.after) == ":") {
        EXPECT_LT(hours, 0);
    } else {
        EXPECT_DOUBLE_EQ(hours, mRiseSet::TimeTextToHours(c.after));
    }
}

INSTANTIATE_TEST_SUITE_P(ChangeDay, BothCorrections, ::testing::ValuesIn(kTimeCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ChangeDayCorrection, StatusWordsAreNeverMoved) {
    for (const char* word : {"up", "down", "", "never", "rises", "sets"}) {
        for (bool start : {false, true}) {
            std::string own = word;
            std::string neighbour = word;
            CorrectNeighbourTime(neighbour, start, !start);
            EXPECT_EQ(neighbour, word);
            if (std::string_view("up_down").find(word) != std::string_view::npos) {
                CorrectOwnTime(own, start, !start);
                EXPECT_EQ(own, word);
            }
        }
    }
}

}  // namespace
}  // namespace quintrel
