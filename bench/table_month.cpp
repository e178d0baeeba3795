// The month table: one month for one place, and a year for every shipped place.

#include <fstream>
#include <sstream>

#include <benchmark/benchmark.h>

#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"

namespace {

using namespace quintrel;

// Boston: daylight saving starts within March, the month with the most work per row.
const std::string kBoston =
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";

template <MonthTable (*Calculate)(const PlaceValues&, std::string_view, std::int16_t, std::int16_t)>
void OneMonth(benchmark::State& state) {
    PlaceValues place;
    ParseSelectedLocation(kBoston, place);
    for (auto _ : state) {
        MonthTable table = Calculate(place, kBoston, 3, 2025);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(OneMonth<CalculateMonth>)
    ->Name("CalculateMonth/one_month")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(OneMonth<CalculateMonthPlain>)
    ->Name("CalculateMonthPlain/one_month")
    ->Unit(benchmark::kMicrosecond);

// The planner's way to the same rows: every day wanted, so the cost over CalculateMonth is
// only that of asking.
void OneMonthEveryRow(benchmark::State& state) {
    PlaceValues place;
    ParseSelectedLocation(kBoston, place);
    for (auto _ : state) {
        MonthTable table =
            CalculateMonthRows(place, kBoston, 3, 2025, [](const DayRow&) { return true; });
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(OneMonthEveryRow)->Name("CalculateMonthRows/one_month")->Unit(benchmark::kMicrosecond);

LocationList ShippedPlaces() {
    std::ifstream in(std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    LocationState state;
    state.Locations = SplitLocationText(text.str());
    CompactLocationList(state);
    return state.Locations;
}

void YearForEveryShippedPlace(benchmark::State& state) {
    const LocationList places = ShippedPlaces();
    if (places.empty()) {
        state.SkipWithError("data/locs.dat holds no places");
        return;
    }
    std::vector<PlaceValues> values(places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        ParseSelectedLocation(places[i], values[i]);
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            for (std::int16_t month = 1; month <= 12; ++month) {
                MonthTable table = CalculateMonth(values[i], places[i], month, 2025);
                benchmark::DoNotOptimize(table);
            }
        }
    }
    state.counters["places"] = static_cast<double>(places.size());
    // Months computed per second of this benchmark's time; its inverse is the cost of one.
    state.counters["months"] = benchmark::Counter(static_cast<double>(places.size() * 12),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(YearForEveryShippedPlace)->Unit(benchmark::kMillisecond);

}  // namespace
