// quintrel-table over many months, process start included: the cost a script or a batch
// run sees, per month, and the largest resident size the run reached.
// Targets: on one core (taskset -c 0) at most half the time a month of the npm package
// suncalc doing the same work (scripts/compare-suncalc/compare.sh runs both side by side),
// and under 20 MB resident.

#include <sys/resource.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/TableProcess.h"

namespace {

using quintrel::bench::ChildrenCpuSeconds;
using quintrel::bench::RunTable;

void Months(benchmark::State& state) {
    const auto months = state.range(0);
    const std::vector<std::string> arguments{
        "--locations", std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat",
        "--place",     "sydney",
        "--month",     "1",
        "--year",      "2004",
        "--months",    std::to_string(months),
        "--format",    "csv",
        "--output",    "/dev/null"};
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (!RunTable(arguments)) {
            state.SkipWithError("quintrel-table failed");
            return;
        }
    }
    const double cpuSeconds = ChildrenCpuSeconds() - cpuBefore;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["months"] = benchmark::Counter(static_cast<double>(months),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    // CPU time, not wall time: what one core spends, whatever else the machine runs.
    state.counters["cpu_us_per_month"] =
        cpuSeconds * 1e6 / (static_cast<double>(state.iterations()) * static_cast<double>(months));
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(Months)->Arg(600)->Arg(1200)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
