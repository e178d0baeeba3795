// The month table: one month for one place (fast search, exact search, one engine call per
// event), and a year for every shipped place on one core and on all of them.
// Target: CalculateMonth/one_month under 100 us of CPU time. The machine may be shared, so
// the CPU column is the one to read; `valgrind --tool=callgrind` with this filter gives a
// load-independent measure (instructions of quintrel::CalculateMonth per call).

#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "tools/ReferenceMonth.h"

namespace {

using namespace quintrel;

// Boston: daylight saving starts within March, the month with the most work per row.
const std::string kBoston =
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";

MonthTable Fastest(const PlaceValues& place, std::string_view record, std::int16_t month,
                   std::int16_t year) {
    return CalculateMonth(place, record, month, year);
}

MonthTable Exact(const PlaceValues& place, std::string_view record, std::int16_t month,
                 std::int16_t year) {
    return CalculateMonthExact(place, record, month, year);
}

template <MonthTable (*Calculate)(const PlaceValues&, std::string_view, std::int16_t, std::int16_t)>
void OneMonth(benchmark::State& state) {
    PlaceValues place;
    ParseSelectedLocation(kBoston, place);
    for (auto _ : state) {
        MonthTable table = Calculate(place, kBoston, 3, 2025);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(OneMonth<Fastest>)->Name("CalculateMonth/one_month")->Unit(benchmark::kMicrosecond);
BENCHMARK(OneMonth<Exact>)->Name("CalculateMonthExact/one_month")->Unit(benchmark::kMicrosecond);
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

// 12 months of 2025 for every shipped place, on `state.range(0)` threads (0: all cores),
// each thread taking every n-th place.
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
    const auto threads = static_cast<std::size_t>(
        state.range(0) > 0 ? state.range(0) : std::max(1u, std::thread::hardware_concurrency()));
    const auto work = [&](std::size_t first) {
        for (std::size_t i = first; i < places.size(); i += threads) {
            std::vector<MonthTable> tables = CalculateMonths(values[i], places[i], 1, 2025, 12);
            benchmark::DoNotOptimize(tables);
        }
    };
    for (auto _ : state) {
        std::vector<std::thread> workers;
        for (std::size_t t = 1; t < threads; ++t) {
            workers.emplace_back(work, t);
        }
        work(0);
        for (std::thread& worker : workers) {
            worker.join();
        }
    }
    state.counters["threads"] = static_cast<double>(threads);
    // Months computed per second of wall time; its inverse is the cost of one.
    state.counters["months"] = benchmark::Counter(static_cast<double>(places.size() * 12),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(YearForEveryShippedPlace)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("threads")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
