// Tides: a month of highs and lows for one station once the data is open (target under
// 5 ms), and opening the shipped harmonics and finding the stations near a place (target
// under 50 ms).

#include <benchmark/benchmark.h>

#include "locations/PlaceValues.h"
#include "tides/PlaceTides.h"
#include "tides/TideFiles.h"

namespace {

using namespace quintrel;
using namespace quintrel::tides;

const std::string kSeattle =
    "1USA - Washington     Seattle          + 47 36-122 20-   81022103021111";

std::vector<std::string> Shipped() {
    return ShippedTideFiles(QUINTREL_BINARY_DIR "/bin");
}

// index 0: Seattle itself (a reference station); 1: the nearest subordinate station.
void MonthOfExtremes(benchmark::State& state) {
    const std::shared_ptr<TideDatabase> database = TideDatabase::Open(Shipped());
    PlaceValues values;
    ParseSelectedLocation(kSeattle, values);
    const PlaceTexts place = MakePlaceTexts(values, kSeattle);
    const std::vector<NearbyStation> nearby =
        database->Nearby(values.PlaceLatitude, values.PlaceLongitude);
    const TideStation& station = nearby.at(static_cast<std::size_t>(state.range(0))).station;
    for (auto _ : state) {
        std::vector<PlaceTideEvent> events =
            PlaceTides(*database, station, place, DateSerial(2024, 3, 1), DateSerial(2024, 3, 31));
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(MonthOfExtremes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void OpenAndFindNearest(benchmark::State& state) {
    for (auto _ : state) {
        const std::shared_ptr<TideDatabase> database = TideDatabase::Open(Shipped());
        std::vector<NearbyStation> nearby = database->Nearby(47.6, -122.333);
        benchmark::DoNotOptimize(nearby);
    }
}
BENCHMARK(OpenAndFindNearest)->Unit(benchmark::kMillisecond);

}  // namespace
