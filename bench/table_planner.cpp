// The planner: twelve months for every shipped place, on one thread and on every core.

#include <fstream>
#include <sstream>
#include <thread>

#include <benchmark/benchmark.h>

#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "table/Planner.h"

namespace {

using namespace quintrel;

PlanRequest EveryShippedPlace(bool filtered) {
    std::ifstream in(std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    LocationState state;
    state.Locations = SplitLocationText(text.str());
    CompactLocationList(state);
    PlanRequest request;
    for (const std::string& record : state.Locations) {
        request.places.push_back({record, record.substr(1, 37)});
    }
    request.firstMonth = 1;
    request.firstYear = 2027;
    request.monthCount = 12;
    if (filtered) {
        // A typical search: only these days' rows are computed in full.
        request.filters.minRatingRank = 3;
        request.filters.weekdays = *ParseWeekdays("sat,sun");
        request.filters.daylightMajor = true;
    }
    return request;
}

// range(0): threads; range(1): 1 for the typical filters, 0 for every day of the year.
void PlanYear(benchmark::State& state) {
    const PlanRequest request = EveryShippedPlace(state.range(1) != 0);
    if (request.places.empty()) {
        state.SkipWithError("data/locs.dat holds no places");
        return;
    }
    PlanRun run;
    run.threads = static_cast<unsigned>(state.range(0));
    std::size_t days = 0;
    for (auto _ : state) {
        const PlanResult result = RunPlan(request, run);
        days = result.days.size();
        benchmark::DoNotOptimize(days);
    }
    state.counters["places"] = static_cast<double>(request.places.size());
    state.counters["days_found"] = static_cast<double>(days);
    state.counters["months"] = benchmark::Counter(static_cast<double>(request.places.size() * 12),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
// Real time: the point of the threads is the wall-clock time the user waits.
BENCHMARK(PlanYear)
    ->Name("Planner/280_places_12_months")
    ->ArgNames({"threads", "filtered"})
    ->ArgsProduct({{1, static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))},
                   {1, 0}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
