#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "locations/LocationList.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::Record;

std::string Place(std::string_view favourite, std::string_view country, std::string_view town) {
    return Record(favourite, country, town, "+ 10  0+ 10  0+   10");
}

TEST(SortLocations, FavouritesFirstThenCountryThenTownByByteOrder) {
    LocationList list = {Place("1", "france", "Paris"),   Place("1", "France", "Paris"),
                         Place("1", "France", "Lyon"),    Place("0", "Zambia", "Lusaka"),
                         Place("1", "Germany", "Berlin"), Place("1", "\xC9gypte", "Le Caire")};
    SortLocations(list);
    const LocationList expected = {
        Place("0", "Zambia", "Lusaka"),     Place("1", "France", "Lyon"),
        Place("1", "France", "Paris"),      Place("1", "Germany", "Berlin"),
        Place("1", "france", "Paris"),         // lower case after upper
        Place("1", "\xC9gypte", "Le Caire")};  // bytes above 127 last
    EXPECT_EQ(list, expected);
}

// The gap sequence is unusual (it starts at size - 2), so check it sorts every size and
// every arrangement, duplicates included, against the library sort.
TEST(SortLocations, SortsShuffledListsOfEverySize) {
    std::mt19937 random(20240607);
    for (std::size_t size = 0; size <= 40; ++size) {
        for (int round = 0; round < 20; ++round) {
            LocationList list;
            for (std::size_t i = 0; i < size; ++i) {
                list.push_back(std::string(1, static_cast<char>('A' + random() % 8)) +
                               std::to_string(random() % 5));
            }
            LocationList expected = list;
            std::sort(expected.begin(), expected.end());
            SortLocations(list);
            ASSERT_EQ(list, expected) << "size " << size;
        }
    }
}

TEST(FindLocation, FindsEveryEntryOfShortListsAndRejectsAbsentKeys) {
    for (std::size_t size = 0; size <= 12; ++size) {
        LocationList list;
        for (std::size_t i = 0; i < size; ++i) {
            list.push_back(std::string(1, static_cast<char>('b' + 2 * i)));  // b, d, f, ...
        }
        for (std::size_t i = 0; i < size; ++i) {
            EXPECT_EQ(FindLocation(list, list[i]), static_cast<std::int16_t>(i))
                << "size " << size << " position " << i;
        }
        for (std::size_t i = 0; i <= size; ++i) {
            const std::string absent(1, static_cast<char>('a' + 2 * i));  // before, between, after
            EXPECT_EQ(FindLocation(list, absent), -1) << "size " << size << " key " << absent;
        }
    }
}

TEST(FindLocation, EqualEntriesGiveOneOfThem) {
    const LocationList list = {"a", "b", "b", "c"};
    const auto position = FindLocation(list, "b");
    EXPECT_TRUE(position == 1 || position == 2) << position;
}

TEST(CompactLocationList, DropsEmptyEntriesAndMarksTheListChanged) {
    LocationState state;
    state.Locations = {"", "b", "", "", "a", ""};
    CompactLocationList(state);
    EXPECT_EQ(state.Locations, (LocationList{"b", "a"}));
    EXPECT_TRUE(state.LocationsChanged);

    LocationState clean;
    clean.Locations = {"a"};
    CompactLocationList(clean);
    EXPECT_FALSE(clean.LocationsChanged);
}

TEST(SelectableLocationIndex, FallsBackToTheFirstPlace) {
    LocationState state;
    state.Locations = {"a", "b", "c"};
    const struct {
        std::int16_t saved;
        std::int16_t shown;
    } cases[] = {{0, 0}, {2, 2}, {3, 0}, {100, 0}, {-1, 0}, {-5, 0}};
    for (const auto& c : cases) {
        state.LocationIndex = c.saved;
        EXPECT_EQ(SelectableLocationIndex(state), c.shown) << "saved " << c.saved;
    }
    state.Locations.clear();
    state.LocationIndex = 0;
    EXPECT_EQ(SelectableLocationIndex(state), -1);
}

class StoreLocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.Locations = {Place("0", "France", "Paris"), Place("1", "Chile", "Santiago"),
                           Place("1", "Peru", "Lima")};
        state.LocationIndex = 1;
    }
    LocationState state;
};

TEST_F(StoreLocationTest, NewFavouriteJoinsTheFavouritesAndIsSelected) {
    const std::string added = Place("0", "Brazil", "Manaus");
    EXPECT_TRUE(StoreLocation(state, true, added, true, 1));
    EXPECT_EQ(state.Locations,
              (LocationList{added, Place("0", "France", "Paris"), Place("1", "Chile", "Santiago"),
                            Place("1", "Peru", "Lima")}));
    EXPECT_EQ(state.LocationIndex, 0);
    EXPECT_TRUE(state.LocationsChanged);
}

TEST_F(StoreLocationTest, EditedPlaceMovesAndStaysSelected) {
    const std::string edited = Place("1", "Chile", "Valparaiso");  // was Chile (Santiago)
    ASSERT_TRUE(StoreLocation(state, true, edited, false, 1));
    const std::string renamed = Place("1", "Uruguay", "Montevideo");
    ASSERT_TRUE(StoreLocation(state, true, renamed, false, state.LocationIndex));
    EXPECT_EQ(state.Locations,
              (LocationList{Place("0", "France", "Paris"), Place("1", "Peru", "Lima"), renamed}));
    EXPECT_EQ(state.LocationIndex, 2);
}

TEST_F(StoreLocationTest, IdenticalPlaceGivesTwoEqualEntries) {
    const std::string same = Place("1", "Peru", "Lima");
    ASSERT_TRUE(StoreLocation(state, true, same, true, 0));
    EXPECT_EQ(std::count(state.Locations.begin(), state.Locations.end(), same), 2);
    EXPECT_EQ(state.Locations[static_cast<std::size_t>(state.LocationIndex)], same);
}

TEST_F(StoreLocationTest, CancelledShortOrMisplacedRecordsChangeNothing) {
    const LocationState before = state;
    EXPECT_FALSE(StoreLocation(state, false, Place("1", "Cuba", "Havana"), true, 0));
    EXPECT_FALSE(StoreLocation(state, true, Place("1", "Cuba", "Havana").substr(0, 58), true, 0));
    EXPECT_FALSE(StoreLocation(state, true, Place("1", "Cuba", "Havana"), false, 3));
    EXPECT_FALSE(StoreLocation(state, true, Place("1", "Cuba", "Havana"), false, -1));
    EXPECT_EQ(state.Locations, before.Locations);
    EXPECT_EQ(state.LocationIndex, before.LocationIndex);
    EXPECT_FALSE(state.LocationsChanged);
}

TEST(RemoveLocation, SelectionMovesToThePlaceBefore) {
    const struct {
        int removed;
        std::int16_t selected;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}};
    for (const auto& c : cases) {
        LocationState state;
        state.Locations = {"a", "b", "c", "d"};
        state.LocationIndex = static_cast<std::int16_t>(c.removed);
        ASSERT_TRUE(RemoveLocation(state, c.removed));
        EXPECT_EQ(state.Locations.size(), 3u);
        EXPECT_EQ(std::find(state.Locations.begin(), state.Locations.end(),
                            std::string(1, static_cast<char>('a' + c.removed))),
                  state.Locations.end());
        EXPECT_EQ(state.LocationIndex, c.selected) << "removed " << c.removed;
        EXPECT_TRUE(state.LocationsChanged);
    }
}

TEST(RemoveLocation, LastPlaceLeavesAnEmptyListWithNoSelection) {
    LocationState state;
    state.Locations = {"a"};
    state.LocationIndex = 0;
    ASSERT_TRUE(RemoveLocation(state, 0));
    EXPECT_TRUE(state.Locations.empty());
    EXPECT_EQ(state.LocationIndex, -1);
    EXPECT_FALSE(RemoveLocation(state, 0));
}

}  // namespace
}  // namespace quintrel
