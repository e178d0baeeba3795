#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "locations/PlaceMatch.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::Record;

// Hobart as shipped: 42 53 S, 147 19 E.
const std::string kHobart = Record("1", "Australia", "Hobart", "- 42 53+147 19+   10");

TEST(IsSameTown, SameNameWithinOneMinuteOfBothCoordinates) {
    struct Case {
        const char* name;
        std::string other;
        bool same;
    };
    const Case cases[] = {
        {"identical", kHobart, true},
        {"other country text, case of the town",
         Record("0", "Australia - Tasmania", "HOBART", "- 42 52+147 20+   10"), true},
        {"one minute across a degree", Record("1", "Australia", "Hobart", "- 42 54+147 18+   10"),
         true},
        {"two minutes of latitude", Record("1", "Australia", "Hobart", "- 42 51+147 19+   10"),
         false},
        {"two minutes of longitude", Record("1", "Australia", "Hobart", "- 42 53+147 21+   10"),
         false},
        {"other hemisphere", Record("1", "Australia", "Hobart", "+ 42 53+147 19+   10"), false},
        {"other town at the same spot",
         Record("1", "Australia", "Sandy Bay", "- 42 53+147 19+   10"), false},
        {"damaged position", Record("1", "Australia", "Hobart", "- 4x 53+147 19+   10"), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSameTown(kHobart, c.other), c.same) << c.name;
        EXPECT_EQ(IsSameTown(c.other, kHobart), c.same) << c.name << " (swapped)";
    }
    // Near the signs' meeting point a minute either side of 0 is still one minute apart.
    EXPECT_TRUE(IsSameTown(Record("1", "Ghana", "Tema", "+  0  0+  0  1+    0"),
                           Record("1", "Ghana", "Tema", "-  0  1-  0  0+    0")));
}

TEST(FindSameTown, GivesTheFirstMatchingPositionOrMinusOne) {
    const LocationList places = {Record("0", "Norway", "Troms\xF8", "+ 69 39+ 18 57+    1"),
                                 kHobart, kHobart};
    EXPECT_EQ(FindSameTown(places, Record("1", "Australia", "hobart", "- 42 53+147 18+   10")), 1);
    EXPECT_EQ(FindSameTown(places, Record("1", "Norway", "TROMS\xD8", "+ 69 40+ 18 57+    1")), 0);
    EXPECT_EQ(FindSameTown(places, Record("1", "Australia", "Perth", "- 31 57+115 51+    8")), -1);
}

TEST(MatchPlaces, AnyPartOfCountryAndTownCaseIgnoredAWholeNameAlone) {
    const LocationList places = {
        Record("1", "Australia", "Brisbane", "- 27 28+153  2+   10"),
        Record("1", "Australia", "Sydney", "- 33 52+151 13+   10"),
        Record("1", "Norway", "Troms\xF8", "+ 69 39+ 18 57+    1"),
        Record("1", "USA - Georgia", "Sydney", "+ 31 58- 81  7-    5"),
    };
    struct Case {
        const char* text;
        std::vector<int> matches;
    };
    const Case cases[] = {
        {"brisb", {0}},
        {"AUSTRALIA (", {0, 1}},
        {"sydney", {1, 3}},
        {"australia (sydney)", {1}},  // the whole name wins over "USA - Georgia (Sydney)"
        {"TROMS\xC3\x98", {2}},       // UTF-8 capital O with stroke
        {"(tromsø)", {2}},
        {"perth", {}},
        {"  ", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchPlaces(places, c.text), c.matches) << '"' << c.text << '"';
    }
}

// The one rule for a typed place: a position, or the one place a text names; what went
// wrong is told apart, so the command line can send the user to --list.
TEST(ChoosePlace, APositionOrTheOnePlaceATextNames) {
    const LocationList places = {
        Record("1", "Australia", "Brisbane", "- 27 28+153  2+   10"),
        Record("1", "Australia", "Sydney", "- 33 52+151 13+   10"),
        Record("1", "USA - Georgia", "Sydney", "+ 31 58- 81  7-    5"),
    };
    EXPECT_EQ(ChoosePlace(places, "2"), 2);
    EXPECT_EQ(ChoosePlace(places, "brisb"), 0);
    EXPECT_EQ(ChoosePlace(places, "Australia (Sydney)"), 1);
    struct Case {
        const LocationList* list;
        const char* text;
        PlaceChoiceProblem problem;
    };
    const LocationList none;
    const Case cases[] = {
        {&none, "0", PlaceChoiceProblem::EmptyList},
        {&places, "3", PlaceChoiceProblem::NoSuchPosition},
        {&places, "perth", PlaceChoiceProblem::NoMatch},
        {&places, "sydney", PlaceChoiceProblem::SeveralMatch},
    };
    for (const Case& c : cases) {
        try {
            ChoosePlace(*c.list, c.text);
            ADD_FAILURE() << c.text << " was taken";
        } catch (const PlaceChoiceError& error) {
            EXPECT_EQ(error.Problem(), c.problem) << c.text;
            EXPECT_FALSE(error.MoreThanShown()) << c.text;
        }
    }
    // More matches than a message lists: it says how many more.
    const LocationList many(25, Record("1", "Australia", "Perth", "- 31 57+115 51+    8"));
    try {
        ChoosePlace(many, "perth");
        ADD_FAILURE() << "perth was taken";
    } catch (const PlaceChoiceError& error) {
        EXPECT_TRUE(error.MoreThanShown());
        EXPECT_NE(std::string(error.what()).find("; and 5 more"), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace quintrel
