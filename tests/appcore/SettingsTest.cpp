// The six saved values: defaults, orders, and how stored text is read back.
#include <gtest/gtest.h>

#include "appcore/CalendarSettings.h"
#include "appcore/Settings.h"
#include "appcore/TideSettings.h"
#include "support/MemorySettingsStore.h"

namespace quintrel {
namespace {

TEST(Settings, EmptyStoreGivesDefaultsAndWritesThemBack) {
    MemorySettingsStore store;
    AppState state;
    state.CurrentMonth = 1;
    state.CurrentYear = 1;
    state.WindowWidth = 1;
    state.WindowHeight = 1;
    state.TidesPath = "old";
    std::int16_t index = 99;

    LoadSettings(store, state, index);
    EXPECT_EQ(state.CurrentMonth, 6);
    EXPECT_EQ(state.CurrentYear, 2002);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(state.WindowWidth, 9300);
    EXPECT_EQ(state.WindowHeight, 4305);
    EXPECT_EQ(state.TidesPath, "");
    EXPECT_TRUE(store.empty());  // reading never creates keys

    SaveSettings(store, state, 0);
    EXPECT_EQ(store.Get("Month"), "6");
    EXPECT_EQ(store.Get("Year"), "2002");
    EXPECT_EQ(store.Get("Index"), "0");
    EXPECT_EQ(store.Get("Height"), "4305");
    EXPECT_EQ(store.Get("Width"), "9300");
    EXPECT_EQ(store.Get("Tides"), "");
}

TEST(Settings, ReadsAndWritesInTheirOwnOrders) {
    MemorySettingsStore store;
    AppState state;
    std::int16_t index = 0;
    LoadSettings(store, state, index);
    const std::vector<std::string> readOrder{"Month", "Year", "Index", "Width", "Height", "Tides"};
    EXPECT_EQ(store.reads, readOrder);

    SaveSettings(store, state, -1);
    std::vector<std::string> writeOrder;
    for (const auto& write : store.writes) {
        EXPECT_EQ(write.application, "Varnel");
        EXPECT_EQ(write.section, "Pellmark");
        writeOrder.push_back(write.key);
    }
    const std::vector<std::string> expected{"Month", "Year", "Index", "Height", "Width", "Tides"};
    EXPECT_EQ(writeOrder, expected);
    EXPECT_EQ(store.Get("Index"), "-1");
}

TEST(Settings, StoredNumbers) {
    struct Case {
        const char* name;
        const char* key;
        const char* stored;
        long long expected;
    };
    const Case cases[] = {
        {"month plain", "Month", "3", 3},
        {"month with blanks", "Month", "  11 ", 11},
        {"month half to even down", "Month", "2.5", 2},
        {"month half to even up", "Month", "3.5", 4},
        {"month not a number", "Month", "abc", 6},
        {"month beyond 16 bits", "Month", "99999", 6},
        {"month 13 selects nothing", "Month", "13", 6},
        {"month 0 selects nothing", "Month", "0", 6},
        {"month empty text", "Month", "", 6},
        {"year plain", "Year", "2003", 2003},
        {"year old is kept", "Year", "1900", 1900},
        {"year at 16-bit top", "Year", "32767", 32767},
        {"year beyond 16 bits", "Year", "32768", 2002},
        {"year garbage tail", "Year", "2003x", 2002},
        {"index none", "Index", "-1", -1},
        {"index seven", "Index", "7", 7},
        {"index below none", "Index", "-5", -1},
        {"index half to even", "Index", "0.5", 0},
        {"width small is kept", "Width", "100", 100},
        {"width large", "Width", "40000", 40000},
        {"width beyond 32 bits", "Width", "3000000000", 9300},
        {"width not a number", "Width", "wide", 9300},
        {"height tab blanks", "Height", "\t5000\t", 5000},
        {"height infinite", "Height", "inf", 4305},
        {"height half to even", "Height", "4306.5", 4306},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.Set(c.key, c.stored);
        AppState state;
        std::int16_t index = 0;
        LoadSettings(store, state, index);
        const std::string key = c.key;
        const long long actual = key == "Month"   ? state.CurrentMonth
                                 : key == "Year"  ? state.CurrentYear
                                 : key == "Index" ? index
                                 : key == "Width" ? state.WindowWidth
                                                  : state.WindowHeight;
        EXPECT_EQ(actual, c.expected) << c.name;
    }
}

// Only a width LoadSettings would take keeps the window from its first run's size.
TEST(Settings, WindowWidthSavedOnlyWhenReadable) {
    const std::pair<const char*, bool> cases[] = {
        {nullptr, false}, {"12000", true}, {" 9300 ", true}, {"wide", false}, {"", false}};
    for (const auto& [text, saved] : cases) {
        MemorySettingsStore store;
        if (text != nullptr) {
            store.Set("Width", text);
        }
        EXPECT_EQ(WindowWidthSaved(store), saved) << (text ? text : "(none)");
    }
}

TEST(Settings, TidesPathIsTakenAsItIs) {
    MemorySettingsStore store;
    store.Set("Tides", " C:\\Program Files\\WXTide32\\WXTide32.exe ");
    AppState state;
    std::int16_t index = 0;
    LoadSettings(store, state, index);
    EXPECT_EQ(state.TidesPath, " C:\\Program Files\\WXTide32\\WXTide32.exe ");
}

TEST(Settings, CalendarChoicesFallBackOnBadText) {
    const CalendarOptions defaults;
    struct Row {
        const char* key;
        const char* stored;
    };
    // Each a value the program could not have written, which reads as its default.
    for (const Row row : {Row{"Major", "yes"}, Row{"MinRating", "good"}, Row{"Alarm", "10081"},
                          Row{"Alarm", "30 min"}}) {
        MemorySettingsStore store;
        CalendarOptions chosen;
        chosen.majorPeriods = false;
        chosen.minimumRating = Rating::Best;
        chosen.alarmMinutes = 45;
        chosen.tides = true;
        SaveCalendarOptions(store, chosen);
        store.values[{"Varnel", "Calendar", row.key}] = row.stored;
        const CalendarOptions back = LoadCalendarOptions(store);
        const std::string key = row.key;
        EXPECT_EQ(back.majorPeriods, key == "Major" ? defaults.majorPeriods : false) << key;
        EXPECT_EQ(back.minimumRating, key == "MinRating" ? defaults.minimumRating : Rating::Best)
            << key;
        EXPECT_EQ(back.alarmMinutes, key == "Alarm" ? defaults.alarmMinutes : 45) << key;
        EXPECT_TRUE(back.tides) << key;
    }
}

}  // namespace
}  // namespace quintrel

namespace quintrel {
namespace {

TEST(TideSettings, EachPlaceKeepsItsOwnStationUnderAKeyAnyStoreKeeps) {
    MemorySettingsStore store;
    // Records differing only in a blank, a slash or a Windows-1252 letter.
    const std::string seattle = "1USA - Washington     Seattle  + 47 36-122 20-";
    const std::string seattle2 = "1USA - Washington     Seattle  + 47 36-122 20- ";
    const std::string odd = std::string("0France/Bretagne Brest, ") + "\xe9" + "=%";
    EXPECT_EQ(LoadKeptStation(store, seattle), "");
    SaveKeptStation(store, seattle, "9447130");
    SaveKeptStation(store, odd, "TICON-1");
    EXPECT_EQ(LoadKeptStation(store, seattle), "9447130");
    EXPECT_EQ(LoadKeptStation(store, seattle2), "");
    EXPECT_EQ(LoadKeptStation(store, odd), "TICON-1");
    EXPECT_EQ(TideStationKey(odd), "0France%2FBretagne%20Brest%2C%20%E9%3D%25");
    EXPECT_EQ(store.writes.back().section, kTideSettingsSection);
}

}  // namespace
}  // namespace quintrel
