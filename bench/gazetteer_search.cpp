// The town search of the location window: each keystroke searches the gazetteer, so a
// search must stay well under 20 ms once the town list is open; the first keystroke opens
// it. Picking a town then derives its zone rule from the system's time-zone database.

#include <benchmark/benchmark.h>

#include <string>

#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/TownPlace.h"

namespace {

using quintrel::GeonamesGazetteer;

void BM_FirstKeystrokeOpensTheTownList(benchmark::State& state) {
    for (auto _ : state) {
        GeonamesGazetteer gazetteer;
        benchmark::DoNotOptimize(gazetteer.Search("ch", 12));
    }
}
BENCHMARK(BM_FirstKeystrokeOpensTheTownList)->Unit(benchmark::kMillisecond)->Iterations(3);

// Typing "christchurch" letter by letter after the first two: one search per keystroke.
void BM_LaterKeystroke(benchmark::State& state) {
    GeonamesGazetteer gazetteer;
    gazetteer.Open();
    const std::string word = "christchurch";
    std::size_t length = 2;
    for (auto _ : state) {
        length = length == word.size() ? 2 : length + 1;
        benchmark::DoNotOptimize(gazetteer.Search(word.substr(0, length), 12));
    }
}
BENCHMARK(BM_LaterKeystroke)->Unit(benchmark::kMillisecond);

// The slowest kind of keystroke: a rare text that scans the whole list to the end.
void BM_KeystrokeWithoutMatch(benchmark::State& state) {
    GeonamesGazetteer gazetteer;
    gazetteer.Open();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gazetteer.Search("qqx new", 12));
    }
}
BENCHMARK(BM_KeystrokeWithoutMatch)->Unit(benchmark::kMillisecond);

void BM_NearestTown(benchmark::State& state) {
    GeonamesGazetteer gazetteer;
    gazetteer.Open();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gazetteer.Nearest(-43.6, 172.5));
    }
}
BENCHMARK(BM_NearestTown)->Unit(benchmark::kMillisecond);

void BM_PickFillsZoneRule(benchmark::State& state) {
    GeonamesGazetteer gazetteer;
    const auto town = gazetteer.Search("christchurch new zealand", 1).front();
    for (auto _ : state) {
        benchmark::DoNotOptimize(quintrel::PlaceForTown(town));
    }
}
BENCHMARK(BM_PickFillsZoneRule)->Unit(benchmark::kMillisecond);

}  // namespace
