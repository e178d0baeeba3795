#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <string>

#include "astro/CoreError.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/SystemTimeZones.h"
#include "gazetteer/TownNames.h"
#include "gazetteer/TownPlace.h"
#include "locations/Encoding.h"

namespace quintrel {
namespace {

// One gazetteer for the whole program: opening it takes a few hundred milliseconds.
GeonamesGazetteer& Towns() {
    static GeonamesGazetteer gazetteer;
    return gazetteer;
}

struct ZoneCase {
    const char* zone;
    bool north;
    const char* expected;  // sign and hours, then the rules or the start of the note
};

void PrintTo(const ZoneCase& c, std::ostream* out) {
    *out << c.zone;
}

class SystemZoneTest : public testing::TestWithParam<ZoneCase> {};

// The rules in force when these lines were written, read from the system's database for
// the ten years from 2027.
TEST_P(SystemZoneTest, DerivesTheRuleTheRecordCanHold) {
    const ZoneCase& c = GetParam();
    const ZoneReading reading = ReadSystemZone(c.zone, 2027, 10);
    const ZoneRuleResult r =
        DeriveZoneRule(reading.standardOffset, reading.transitions, c.north, 2027);
    const std::string shown =
        r.zoneSign + r.zoneHours + " " + (r.dst ? r.startRule + " " + r.endRule : r.note);
    EXPECT_EQ(shown.substr(0, std::string(c.expected).size()), c.expected) << shown;
}

INSTANTIATE_TEST_SUITE_P(
    Zones, SystemZoneTest,
    testing::Values(ZoneCase{"America/New_York", true, "-5 022103 021111"},
                    ZoneCase{"Europe/London", true, "+0 015103 025110"},
                    ZoneCase{"Australia/Sydney", false, "+10 021110 031104"},
                    ZoneCase{"Pacific/Auckland", false, "+12 025109 031104"},
                    ZoneCase{"America/Santiago", false, "-4 Clocks here change on d"},
                    ZoneCase{"Australia/Adelaide", false, "+9.5 021110 031104"},
                    ZoneCase{"Asia/Kathmandu", true, "+5.75 "},
                    ZoneCase{"America/Phoenix", true, "-7 "},
                    ZoneCase{"Africa/Casablanca", true, "+1 Clocks here go back an h"},
                    ZoneCase{"Australia/Lord_Howe", false, "+10.5 Clocks here move by 30"},
                    ZoneCase{"Europe/Oslo", true, "+1 025103 035110"}),
    [](const auto& row) {
        std::string name = row.param.zone;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(SystemZones, UnknownZoneGivesNoZoneAndSaysSo) {
    const ZoneRuleResult r = ZoneRuleFor("Atlantis/Capital", true);
    EXPECT_TRUE(r.zoneHours.empty());
    EXPECT_EQ(r.note,
              "The system's time-zone database does not know the zone \"Atlantis/Capital\"; "
              "enter the zone by hand.");
}

TEST(GeonamesGazetteer, FindsByPrefixIgnoringAccentsMostPopulousFirst) {
    const auto christchurch = Towns().Search("christch", 10);
    ASSERT_EQ(christchurch.size(), 2u);
    EXPECT_EQ(christchurch[0].country, "New Zealand");
    EXPECT_EQ(christchurch[0].timeZone, "Pacific/Auckland");
    EXPECT_EQ(christchurch[1].country, "United Kingdom");
    EXPECT_FALSE(christchurch[0].wholeName);

    const auto tromso = Towns().Search("tromso", 10);
    ASSERT_EQ(tromso.size(), 1u);
    EXPECT_EQ(tromso[0].name, "Tromsø");
    EXPECT_TRUE(tromso[0].wholeName);

    // Further words may name the state; every match still begins a word of the name.
    const auto portland = Towns().Search("portland maine", 10);
    ASSERT_FALSE(portland.empty());
    EXPECT_EQ(portland[0].state, "State of Maine");
    EXPECT_TRUE(portland[0].wholeName);
    for (const auto& town : portland) {
        EXPECT_NE(town.state.find("Maine"), std::string::npos) << town.name;
    }
    EXPECT_EQ(Towns().Search("s", 10).size(), 0u);
    EXPECT_EQ(Towns().Search("  ", 10).size(), 0u);
    EXPECT_EQ(Towns().Search("qqxqq", 10).size(), 0u);
    EXPECT_EQ(Towns().Search("sa", 3).size(), 3u);
}

// The library translates country names for the user's language; the place list keeps
// English ones whatever the desktop speaks.
TEST(GeonamesGazetteer, NamesStayEnglishUnderAnotherLanguage) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale";
    }
    GeonamesGazetteer german;
    const auto towns = german.Search("christchurch", 1);
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(towns.size(), 1u);
    EXPECT_EQ(towns[0].country, "New Zealand");
}

TEST(GeonamesGazetteer, NearestTownOfAPosition) {
    const auto town = Towns().Nearest(-43.6, 172.5);
    ASSERT_TRUE(town.has_value());
    EXPECT_EQ(town->name, "Christchurch");
}

TEST(TownPlace, ChristchurchGetsTheShippedRecord) {
    const auto towns = Towns().Search("christchurch new zealand", 1);
    ASSERT_EQ(towns.size(), 1u);
    const std::string record = TownRecord(PlaceForTown(towns[0]));
    EXPECT_EQ(record, "1New Zealand          Christchurch     - 43 32+172 38+  121025109031104");
}

struct NameCase {
    const char* code;
    const char* country;
    const char* state;
    const char* expected;
};

TEST(TownNames, CountryFieldInTheListsOwnNaming) {
    const NameCase cases[] = {
        {"US", "United States of America", "State of Maine", "USA - Maine"},
        {"US", "United States of America", "District of Columbia", "USA - D.C."},
        {"US", "United States of America", "North Carolina", "USA - North Carolina"},
        {"CA", "Canada", "Nova Scotia", "Canada - Nova Scotia"},
        {"CA", "Canada", "British Columbia", "Canada - BC"},
        {"CA", "Canada", "Newfoundland and Labrador", "Canada - Newfoundland"},
        {"AU", "Australia", "New South Wales", "Australia - NSW"},
        {"GB", "United Kingdom", "Northern Ireland", "UK - Northern Ireland"},
        {"NZ", "New Zealand", "Canterbury", "New Zealand"},
        {"JO", "Hashemite Kingdom of Jordan", "Amman", "Jordan"},
        {"CF", "Central African Republic", "Bangui", "Central African"},
    };
    for (const NameCase& c : cases) {
        GazetteerTown town;
        town.countryCode = c.code;
        town.country = c.country;
        town.state = c.state;
        EXPECT_EQ(ListCountryName(town), c.expected) << c.state;
    }
}

TEST(TownNames, LongNamesLoseWholeWordsNotHalves) {
    EXPECT_EQ(ListTownName("Fernando de Noronha"), "Fernando Noronha");
    EXPECT_EQ(ListTownName("San Luis Potosí City"), "San Luis Potosí");
    EXPECT_EQ(ListTownName("Ho Chi Minh City"), "Ho Chi Minh City");
    EXPECT_EQ(ListTownName("Petropavlovsk-Kamchatsky"), "Petropavlovsk-Ka");
    EXPECT_EQ(ShortenName("Ürümqi Ürümqi Ürümqi", 13), "Ürümqi Ürümqi");
}

// Only names of the database are zones: its zones, its Etc/ zones, UTC and the old names
// it links; the zone library would read POSIX rule strings and odd names as rules too.
TEST(IsSystemZoneId, OnlyTheDatabasesNamesAreZones) {
    for (const char* zone : {"Europe/Oslo", "Australia/Sydney", "Etc/GMT-10", "Etc/UTC", "UTC",
                             "US/Eastern", "Asia/Calcutta"}) {
        EXPECT_TRUE(IsSystemZoneId(zone)) << zone;
    }
    const std::string long_(1000, 'a');
    for (const std::string& zone : std::vector<std::string>{
             "Sydney", "Oslo", "AEST", "", "AEST-10", "EST5EDT,M3.2.0,M11.1.0", "<+10>-10",
             "../zoneinfo/UTC", "/usr/share/zoneinfo/UTC", "posixrules", "zone.tab", long_}) {
        EXPECT_FALSE(IsSystemZoneId(zone)) << zone;
    }
    EXPECT_THROW(ReadSystemZone("AEST-10", 2027, 1), CoreError);
}

}  // namespace
}  // namespace quintrel
