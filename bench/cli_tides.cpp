// quintrel-table --tides for a month, process start included (target under 100 ms).

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/TableProcess.h"

namespace {

using quintrel::bench::RunTable;

void TidesForAMonth(benchmark::State& state) {
    const std::vector<std::string> arguments{
        "--locations", std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat",
        "--place",     "seattle",
        "--tides",     "--month",
        "3",           "--year",
        "2024",        "--output",
        "/dev/null"};
    for (auto _ : state) {
        if (!RunTable(arguments)) {
            state.SkipWithError("quintrel-table --tides failed");
            return;
        }
    }
}
BENCHMARK(TidesForAMonth)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
