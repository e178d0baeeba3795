// The town search of the location window: each keystroke searches the gazetteer, so a
// search must stay well under 20 ms once the town list is open. The program starts reading
// the towns on a thread of its own as it starts, so the first keystroke, at least the
// opening of the window later, finds them ready (or waits only for the rest of the reading,
// BM_ReadTownList at most); before, the first keystroke read them itself. Picking a town
// then derives its zone rule from the system's time-zone database.

#include <benchmark/benchmark.h>

#include <string>

#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/TownPlace.h"

namespace {

using quintrel::GeonamesGazetteer;

// What the start-up thread does, and what the first keystroke did before it.
void BM_ReadTownList(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(GeonamesGazetteer::ReadTowns());
    }
}
BENCHMARK(BM_ReadTownList)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The first keystroke in a newly opened location window, the towns read at start-up.
void BM_FirstKeystroke(benchmark::State& state) {
    GeonamesGazetteer::StartReading();
    GeonamesGazetteer().Open();  // the start-up thread has finished
    for (auto _ : state) {
        GeonamesGazetteer gazetteer;
        benchmark::DoNotOptimize(gazetteer.Search("ch", 12));
    }
}
BENCHMARK(BM_FirstKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();

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
