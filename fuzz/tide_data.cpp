// What Quintrel does with the values a harmonics file gives it: the checks on the
// constituent table, the station index and a station, then the prediction of whatever
// passes them. libtcd's own decoding is kept out of the main process by ProbeTideFile;
// this covers the part that is ours. Input: the values in the order read below, as
// FuzzedDataProvider hands them out.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>

#include "FuzzSupport.h"
#include "tides/TideChecks.h"
#include "tides/TidePredictor.h"

namespace {

using namespace quintrel;
using namespace quintrel::tides;

// Mostly a value in the range a real file gives, sometimes any double at all (NaN and
// the infinities included), so that both the checks and what lies behind them are reached.
template <typename Number>
Number Value(FuzzedDataProvider& input, Number lowest, Number highest) {
    if (input.ConsumeIntegralInRange(0, 7) == 0) {
        return input.ConsumeFloatingPoint<Number>();
    }
    return input.ConsumeFloatingPointInRange<Number>(lowest, highest);
}

ConstituentTable ReadTable(FuzzedDataProvider& input) {
    ConstituentTable table;
    const int count = input.ConsumeIntegralInRange(0, 12);
    table.startYear = input.ConsumeIntegralInRange(90, 10010);
    table.yearCount = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        table.names.push_back(input.ConsumeRandomLengthString(8));
        table.speedDegPerHour.push_back(Value(input, 0.0, 1100.0));
        for (int year = 0; year < table.yearCount; ++year) {
            table.equilibriumDeg.push_back(Value(input, -720.0F, 720.0F));
            table.nodeFactor.push_back(Value(input, 0.0F, 11.0F));
        }
    }
    return table;
}

std::vector<StationHeader> ReadIndex(FuzzedDataProvider& input) {
    std::vector<StationHeader> index;
    const int count = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count; ++i) {
        StationHeader header;
        header.record = input.ConsumeIntegralInRange(-2, 10);
        header.isReference = input.ConsumeBool();
        header.referenceRecord = input.ConsumeIntegralInRange(-2, 10);
        header.latitudeDeg = Value(input, -100.0, 100.0);
        header.longitudeDeg = Value(input, -200.0, 400.0);
        header.name = input.ConsumeRandomLengthString(8);
        index.push_back(header);
    }
    return index;
}

TideStation ReadStation(FuzzedDataProvider& input, bool isReference) {
    TideStation station;
    station.name = "fuzzed";
    station.isReference = isReference;
    station.units = input.ConsumeBool() ? LevelUnits::Feet : LevelUnits::Meters;
    station.datumOffset = Value(input, -50.0, 50.0);
    const int count = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < count; ++i) {
        station.constituents.push_back({input.ConsumeIntegralInRange(-1, 12),
                                        Value(input, -1.0, 120.0), Value(input, -720.0, 720.0)});
    }
    SubordinateOffsets& offsets = station.offsets;
    offsets.highMinutes = input.ConsumeIntegralInRange(-4000, 4000);
    offsets.highMultiplier = Value(input, -1.0, 110.0);
    offsets.highAdder = Value(input, -110.0, 110.0);
    offsets.lowMinutes = input.ConsumeIntegralInRange(-4000, 4000);
    offsets.lowMultiplier = Value(input, -1.0, 110.0);
    offsets.lowAdder = Value(input, -110.0, 110.0);
    return station;
}

void RequireOrderedWithin(const std::vector<TideExtreme>& extremes, UtcSeconds from,
                          UtcSeconds to) {
    for (std::size_t i = 0; i < extremes.size(); ++i) {
        fuzz::Require(extremes[i].utc >= from && extremes[i].utc < to,
                      "an extreme outside the window");
        fuzz::Require(std::isfinite(extremes[i].height), "an extreme without a finite height");
        fuzz::Require(i == 0 || extremes[i - 1].utc <= extremes[i].utc, "extremes out of order");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const ConstituentTable table = ReadTable(input);
    const std::vector<StationHeader> index = ReadIndex(input);
    const std::vector<StationHeader> usable = UsableStations(index);
    fuzz::Require(usable.size() <= index.size(), "the usable index grew");
    for (const StationHeader& header : usable) {
        fuzz::Require(header.latitudeDeg >= -90 && header.latitudeDeg <= 90,
                      "a usable station off the globe");
    }
    if (!fuzz::Tolerate([&] { CheckConstituentTable(table, "fuzzed.tcd"); })) {
        return 0;
    }
    const TideStation reference = ReadStation(input, true);
    const TideStation subordinate = ReadStation(input, false);
    if (!fuzz::Tolerate([&] { CheckStation(reference, table); })) {
        return 0;
    }
    const bool subordinateUsable = fuzz::Tolerate([&] { CheckStation(subordinate, table); });
    // Two days somewhere in the tables' years, or just outside them.
    const UtcSeconds start = TableStartUtc(table);
    const UtcSeconds span = TableEndUtc(table) - start;
    const UtcSeconds from =
        start + input.ConsumeIntegralInRange<UtcSeconds>(-2 * 86400, span + 86400);
    const UtcSeconds to = from + 2 * 86400;
    std::vector<TideExtreme> highsAndLows;
    fuzz::Tolerate([&] { highsAndLows = ReferenceExtremes(reference, table, from, to); });
    RequireOrderedWithin(highsAndLows, from, to);
    std::vector<TideExtreme> moved;
    if (subordinateUsable) {
        fuzz::Tolerate(
            [&] { moved = SubordinateExtremes(subordinate, reference, table, from, to); });
    }
    RequireOrderedWithin(moved, from, to);
    fuzz::Tolerate([&] { ReferenceLevel(reference, table, from); });
    LevelBetweenExtremes(moved, from + 86400);
    return 0;
}
