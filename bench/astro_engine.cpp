// Cost of the astronomy engine: one altitude sample, one rise/set search, and the rise and
// set searches of a whole month as the month table makes them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "astro/mRiseSet.h"

namespace {

using namespace quintrel::mRiseSet;

void BM_SinAltitudeSun(benchmark::State& state) {
    double hour = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SinAltitude(2, 52968.2, hour, 75, 0.766, 0.643));
        hour = hour < 24 ? hour + 1 : 0;
    }
}
BENCHMARK(BM_SinAltitudeSun);

void BM_SinAltitudeMoon(benchmark::State& state) {
    double hour = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SinAltitude(1, 52968.2, hour, 75, 0.766, 0.643));
        hour = hour < 24 ? hour + 1 : 0;
    }
}
BENCHMARK(BM_SinAltitudeMoon);

void BM_RiseSetTime(benchmark::State& state) {
    const char* codes[] = {"R", "S", "MR", "MS"};
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RiseSetTime("40", "-75", "-5", codes[i & 3], 2003, 11, 25));
        ++i;
    }
}
BENCHMARK(BM_RiseSetTime);

// 31 days x sunrise, sunset, moonrise and moonset: 124 searches.
void BM_MonthOfEvents(benchmark::State& state) {
    const std::string latitude = "24.86667";
    const std::string longitude = "67.01667";
    for (auto _ : state) {
        for (std::int16_t day = 1; day <= 31; ++day) {
            for (const char* code : {"R", "S", "MR", "MS"}) {
                benchmark::DoNotOptimize(RiseSetTime(latitude, longitude, "5", code, 2024, 1, day));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 124);
}
BENCHMARK(BM_MonthOfEvents)->Unit(benchmark::kMicrosecond);

}  // namespace
