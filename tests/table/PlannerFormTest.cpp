#include "table/PlannerForm.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kBoston;
using testing::kKarachi;
using testing::kPhiladelphia;

std::string Favourite(std::string record) {
    record[0] = '0';
    return record;
}

struct ChoiceCase {
    const char* name;
    PlannerPlaces places;
    std::vector<std::string> ticked;
    int selectedIndex;
    std::vector<std::string> expectedNames;
    std::string problem;  ///< the start of the problem text, "" when it can be searched
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class PlannerFormTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PlannerFormTest, choices_name_the_places_searched_or_say_why_not) {
    const ChoiceCase& c = GetParam();
    // Boston kept twice, as a second add from the town search leaves it.
    const LocationList list = {Favourite(kKarachi), kBoston, kPhiladelphia, kBoston};
    PlannerChoices choices;
    choices.places = c.places;
    choices.ticked = c.ticked;
    std::string problem;
    const PlanRequest request = PlannerRequest(choices, list, c.selectedIndex, problem);
    EXPECT_EQ(problem.substr(0, c.problem.size()), c.problem) << problem;
    EXPECT_EQ(problem.empty(), c.problem.empty()) << problem;
    if (c.problem.empty()) {
        std::vector<std::string> names;
        for (const PlanPlace& place : request.places) {
            names.push_back(place.name);
        }
        EXPECT_EQ(names, c.expectedNames);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlannerFormTest,
    ::testing::Values(
        ChoiceCase{
            "selected", PlannerPlaces::Selected, {}, 1, {"USA - Massachusetts (Boston)"}, ""},
        ChoiceCase{"nothing_selected", PlannerPlaces::Selected, {}, -1, {}, "No place is selected"},
        ChoiceCase{"favourites", PlannerPlaces::Favourites, {}, -1, {"Pakistan (Karachi)"}, ""},
        ChoiceCase{"ticked_in_list_order",
                   PlannerPlaces::Ticked,
                   {"USA - Pennsylvania (Philadelphia)", "Nowhere (Gone)", "Pakistan (Karachi)"},
                   0,
                   {"Pakistan (Karachi)", "USA - Pennsylvania (Philadelphia)"},
                   ""},
        ChoiceCase{"a_town_kept_twice_is_searched_once",
                   PlannerPlaces::Ticked,
                   {"USA - Massachusetts (Boston)"},
                   0,
                   {"USA - Massachusetts (Boston)"},
                   ""},
        ChoiceCase{"nothing_ticked", PlannerPlaces::Ticked, {}, 0, {}, "No place is ticked"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlannerFormTest, no_favourite_and_bad_months_are_problems) {
    PlannerChoices choices;
    std::string problem;
    PlannerRequest(choices, {kBoston}, 0, problem);
    EXPECT_EQ(problem.rfind("No place is marked as a favourite", 0), 0u) << problem;

    choices.places = PlannerPlaces::Selected;
    choices.monthCount = 25;
    PlannerRequest(choices, {kBoston}, 0, problem);
    EXPECT_NE(problem.find("between 1 and 24"), std::string::npos) << problem;
}

TEST(PlannerFormTest, choices_survive_the_settings_and_bad_text_keeps_defaults) {
    PlannerChoices written;
    written.places = PlannerPlaces::Ticked;
    written.ticked = {"France (Paris)", "USA - Massachusetts (Boston)"};
    written.monthCount = 12;
    written.minRatingRank = 4;
    written.weekdays = *ParseWeekdays("fri,sat");
    written.daylightMajor = true;
    written.nearSun = true;
    written.nearSunMinutes = 45;
    std::map<std::string, std::string> store;
    WritePlannerChoices(
        written, [&](const std::string& key, const std::string& text) { store[key] = text; });
    const auto reader = [&](const std::string& key, const std::string& fallback) {
        const auto found = store.find(key);
        return found == store.end() ? fallback : found->second;
    };
    PlannerChoices read;
    ReadPlannerChoices(read, reader);
    EXPECT_EQ(read.places, written.places);
    EXPECT_EQ(read.ticked, written.ticked);
    EXPECT_EQ(read.monthCount, 12);
    EXPECT_EQ(read.minRatingRank, 4);
    EXPECT_EQ(read.weekdays, written.weekdays);
    EXPECT_TRUE(read.daylightMajor);
    EXPECT_TRUE(read.nearSun);
    EXPECT_EQ(read.nearSunMinutes, 45);

    store = {{"Places", "everywhere"},
             {"Months", "99"},
             {"MinRating", "Good"},
             {"Days", "someday"},
             {"NearSunMinutes", "-5"}};
    PlannerChoices defaults;
    ReadPlannerChoices(defaults, reader);
    const PlannerChoices fresh;
    EXPECT_EQ(defaults.places, fresh.places);
    EXPECT_EQ(defaults.monthCount, fresh.monthCount);
    EXPECT_EQ(defaults.minRatingRank, fresh.minRatingRank);
    EXPECT_EQ(defaults.weekdays, fresh.weekdays);
    EXPECT_EQ(defaults.nearSunMinutes, fresh.nearSunMinutes);
}

}  // namespace
}  // namespace quintrel
