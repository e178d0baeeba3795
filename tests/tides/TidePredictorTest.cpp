// Prediction on made-up constants whose highs and lows are known in closed form, and
// the checks that keep unusable values away from it.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/CoreError.h"
#include "tides/TideChecks.h"
#include "tides/TidePredictor.h"

namespace quintrel::tides {
namespace {

constexpr double kM2DegPerHour = 28.9841042;
constexpr UtcSeconds k2020Utc = 1577836800;  // 2020-01-01 00:00 UTC
constexpr UtcSeconds kDay = 86400;

// One constituent, M2, with node factor 1 and equilibrium argument 0 in 2020 and 2021.
ConstituentTable M2Table() {
    ConstituentTable table;
    table.names = {"M2"};
    table.speedDegPerHour = {kM2DegPerHour};
    table.startYear = 2020;
    table.yearCount = 2;
    table.equilibriumDeg = {0.0F, 0.0F};
    table.nodeFactor = {1.0F, 1.0F};
    return table;
}

TideStation M2Station(double amplitude, double phaseDeg, double datumOffset) {
    TideStation station;
    station.name = "Made-up";
    station.datumOffset = datumOffset;
    station.constituents = {{0, amplitude, phaseDeg}};
    return station;
}

TEST(ReferenceExtremes, SinglePureConstituentTurnsWhereItsArgumentIsAMultipleOfHalfATurn) {
    // level = 5 + 2 cos(w t - 90 deg): highs where w t = 90 deg + k 360 deg, lows half a
    // period later, exactly 5 +- 2.
    const ConstituentTable table = M2Table();
    const TideStation station = M2Station(2.0, 90.0, 5.0);
    const double periodSeconds = 360.0 / kM2DegPerHour * 3600.0;
    const std::vector<TideExtreme> extremes =
        ReferenceExtremes(station, table, k2020Utc + 10 * kDay, k2020Utc + 12 * kDay);
    ASSERT_GE(extremes.size(), 7u);
    for (const TideExtreme& extreme : extremes) {
        const double t = static_cast<double>(extreme.utc - k2020Utc);
        const double turns = (t - periodSeconds / 4) / (periodSeconds / 2);
        EXPECT_NEAR(std::abs(turns - std::round(turns)) * periodSeconds / 2, 0.0, 1.0)
            << "off by more than a second at " << extreme.utc;
        const bool even = static_cast<long>(std::round(turns)) % 2 == 0;
        EXPECT_EQ(extreme.isHigh, even);
        EXPECT_NEAR(extreme.height, extreme.isHigh ? 7.0 : 3.0, 1e-6);
    }
}

TEST(ReferenceExtremes, InstantsOutsideTheTablesGiveNothing) {
    const ConstituentTable table = M2Table();
    const TideStation station = M2Station(1.0, 0.0, 0.0);
    EXPECT_TRUE(ReferenceExtremes(station, table, k2020Utc - 5 * kDay, k2020Utc).empty());
    EXPECT_TRUE(
        ReferenceExtremes(station, table, TableEndUtc(table), TableEndUtc(table) + kDay).empty());
    // Across the end of the tables: only the part inside them.
    const std::vector<TideExtreme> edge =
        ReferenceExtremes(station, table, TableEndUtc(table) - kDay, TableEndUtc(table) + kDay);
    ASSERT_FALSE(edge.empty());
    EXPECT_LT(edge.back().utc, TableEndUtc(table));
    EXPECT_THROW(ReferenceLevel(station, table, TableEndUtc(table)), CoreError);
}

TEST(SubordinateExtremes, OffsetsMoveAndScaleHighsAndLowsSeparately) {
    const ConstituentTable table = M2Table();
    TideStation reference = M2Station(2.0, 0.0, 4.0);  // feet
    TideStation subordinate;
    subordinate.isReference = false;
    subordinate.units = LevelUnits::Meters;
    subordinate.offsets = {30, 0.5, 0.25, -15, 2.0, -0.1};
    const UtcSeconds from = k2020Utc + 100 * kDay;
    const std::vector<TideExtreme> base = ReferenceExtremes(reference, table, from, from + kDay);
    const std::vector<TideExtreme> moved =
        SubordinateExtremes(subordinate, reference, table, from, from + kDay);
    ASSERT_FALSE(moved.empty());
    for (const TideExtreme& event : moved) {
        // Reference heights are 6 ft and 2 ft; the adders are in the subordinate's metres.
        EXPECT_NEAR(event.height, event.isHigh ? 6 * 0.3048 * 0.5 + 0.25 : 2 * 0.3048 * 2.0 - 0.1,
                    1e-9);
        const UtcSeconds shift = event.isHigh ? 30 * 60 : -15 * 60;
        const bool fromBase = std::any_of(base.begin(), base.end(), [&](const TideExtreme& b) {
            return b.isHigh == event.isHigh && b.utc + shift == event.utc;
        });
        const bool fromOutside = event.utc - shift < from || event.utc - shift >= from + kDay;
        EXPECT_TRUE(fromBase || fromOutside) << event.utc;
    }
}

TEST(LevelBetweenExtremes, HalfCosineBetweenNeighbours) {
    const std::vector<TideExtreme> extremes = {{1000, 1.0, false}, {2000, 3.0, true}};
    EXPECT_DOUBLE_EQ(LevelBetweenExtremes(extremes, 1000), 1.0);
    EXPECT_NEAR(LevelBetweenExtremes(extremes, 1500), 2.0, 1e-12);
    EXPECT_NEAR(LevelBetweenExtremes(extremes, 1250), 1.0 + 2.0 * (1 - std::sqrt(0.5)) / 2, 1e-12);
    EXPECT_TRUE(std::isnan(LevelBetweenExtremes(extremes, 999)));
    EXPECT_TRUE(std::isnan(LevelBetweenExtremes(extremes, 2001)));
}

TEST(TideChecks, UnusableValuesAreRefusedWithTheirFileOrStation) {
    ConstituentTable noYears = M2Table();
    noYears.yearCount = 0;
    ConstituentTable nanSpeed = M2Table();
    nanSpeed.speedDegPerHour[0] = std::nan("");
    ConstituentTable shortTables = M2Table();
    shortTables.nodeFactor.pop_back();
    for (const ConstituentTable& table : {noYears, nanSpeed, shortTables}) {
        try {
            CheckConstituentTable(table, "odd.tcd");
            ADD_FAILURE() << "accepted";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find("odd.tcd"), std::string::npos);
        }
    }
    EXPECT_NO_THROW(CheckConstituentTable(M2Table(), "fine.tcd"));

    TideStation unknownConstituent = M2Station(1.0, 0.0, 0.0);
    unknownConstituent.constituents[0].constituent = 1;
    TideStation hugeAmplitude = M2Station(1e9, 0.0, 0.0);
    TideStation wildOffset;
    wildOffset.isReference = false;
    wildOffset.offsets.highMinutes = 5 * 24 * 60;
    for (const TideStation& station : {unknownConstituent, hugeAmplitude, wildOffset}) {
        EXPECT_THROW(CheckStation(station, M2Table()), CoreError);
    }
}

TEST(TideChecks, IndexKeepsPlacedStationsWithAReference) {
    const std::vector<StationHeader> index = {
        {0, true, -1, 47.6, -122.3, "Reference"},
        {1, false, 0, 47.5, -122.4, "Subordinate of 0"},
        {2, false, 1, 47.5, -122.4, "Subordinate of a subordinate"},
        {3, false, 9, 47.5, -122.4, "Subordinate of nothing"},
        {4, true, -1, 0.0, 0.0, "No position"},
        {5, true, -1, 91.0, 0.0, "Off the globe"},
        {6, true, -1, 10.0, 10.0, ""},
    };
    const std::vector<StationHeader> usable = UsableStations(index);
    ASSERT_EQ(usable.size(), 2u);
    EXPECT_EQ(usable[0].record, 0);
    EXPECT_EQ(usable[1].record, 1);
}

TEST(ConvertLevel, FeetAndMetres) {
    EXPECT_DOUBLE_EQ(ConvertLevel(10.0, LevelUnits::Feet, LevelUnits::Meters), 3.048);
    EXPECT_DOUBLE_EQ(ConvertLevel(3.048, LevelUnits::Meters, LevelUnits::Feet), 10.0);
    EXPECT_DOUBLE_EQ(ConvertLevel(-1.5, LevelUnits::Meters, LevelUnits::Meters), -1.5);
}

}  // namespace
}  // namespace quintrel::tides
