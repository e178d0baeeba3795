// The log at the size a keen angler reaches in ten years: 100,000 catches in 10,000
// outings at 20 places over 2015-2024. Opening it (integrity check included), the
// statistics (every place-month of the table computed once, on every core), importing
// 100,000 CSV lines into a new log, and a page of the list deep in it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <thread>

#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "log/LogCsv.h"
#include "log/LogDatabase.h"
#include "log/LogStatistics.h"
#include "log/LogTides.h"
#include "tides/TideFiles.h"

namespace {

using namespace quintrel;
using namespace quintrel::logbook;
namespace fs = std::filesystem;

constexpr int kOutings = 10000;
constexpr int kCatchesPerOuting = 10;

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// The first 20 places of the shipped list, as the log stores them.
std::vector<std::string> Places() {
    const std::string text = ReadWholeFile(QUINTREL_SOURCE_DIR "/data/locs.dat");
    std::vector<std::string> records;
    std::size_t at = 0;
    while (records.size() < 20 && at < text.size()) {
        const std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        records.push_back(Cp1252ToUtf8(line));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return records;
}

std::vector<OutingEntries> TenYears() {
    const std::vector<std::string> places = Places();
    std::mt19937 random(2024);
    std::vector<OutingEntries> entries(kOutings);
    for (int i = 0; i < kOutings; ++i) {
        Outing& outing = entries[static_cast<std::size_t>(i)].outing;
        const int year = 2015 + i / (kOutings / 10);
        outing.date = std::to_string(year) + "-" + TwoDigits(1 + random() % 12) + "-" +
                      TwoDigits(1 + random() % 28);
        const int start = 4 + static_cast<int>(random() % 10);
        outing.start = TwoDigits(start) + ":00";
        outing.end = TwoDigits(start + 4) + ":30";
        outing.record = places[random() % places.size()];
        for (int c = 0; c < kCatchesPerOuting; ++c) {
            Catch entry;
            entry.species = c % 3 == 0 ? "Pike" : "Perch";
            entry.time = TwoDigits(start + c * 4 / kCatchesPerOuting) + ":" +
                         TwoDigits(static_cast<int>(random() % 60));
            entry.lengthCm = 20 + static_cast<double>(random() % 600) / 10;
            entries[static_cast<std::size_t>(i)].catches.push_back(entry);
        }
    }
    return entries;
}

// The ten-year log, made once per run in a scratch folder.
const std::string& TenYearLog() {
    static const std::string path = [] {
        const fs::path folder = fs::temp_directory_path() / "quintrel-bench-log";
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string file = (folder / "log.sqlite").string();
        LogDatabase log = LogDatabase::Open(file);
        log.AddEntries(TenYears());
        return file;
    }();
    return path;
}

void OpenLog(benchmark::State& state) {
    const std::string& path = TenYearLog();
    LogDatabase::Open(path);  // today's backup is made here, not in the loop
    for (auto _ : state) {
        LogDatabase log = LogDatabase::Open(path);
        benchmark::DoNotOptimize(log);
    }
}
BENCHMARK(OpenLog)->Name("Log/open_100000_catches")->Unit(benchmark::kMillisecond);

void Statistics(benchmark::State& state) {
    const LogDatabase log = LogDatabase::Open(TenYearLog());
    StatisticsOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const LogStatistics statistics = ComputeStatistics(log.Entries(), options);
        benchmark::DoNotOptimize(statistics);
    }
}
BENCHMARK(Statistics)
    ->Name("Log/statistics_100000_catches")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same with the tide chart: most of the 20 places are ports with a station, each
// station's highs and lows computed for every day an outing needs.
void StatisticsWithTides(benchmark::State& state) {
    const LogDatabase log = LogDatabase::Open(TenYearLog());
    const std::shared_ptr<const tides::TideDatabase> tideData =
        tides::TideDatabase::Open(tides::ShippedTideFiles(QUINTREL_SOURCE_DIR "/data"));
    StatisticsOptions options;
    options.threads = 2;
    for (auto _ : state) {
        const LogTideStages stages(tideData, nullptr);
        options.tides = &stages;
        const LogStatistics statistics = ComputeStatistics(log.Entries(), options);
        benchmark::DoNotOptimize(statistics);
    }
}
BENCHMARK(StatisticsWithTides)
    ->Name("Log/statistics_with_tides_100000_catches")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void Import(benchmark::State& state) {
    const std::string text = LogCsvText(TenYears());
    const std::vector<std::string> places = Places();
    const fs::path folder = fs::temp_directory_path() / "quintrel-bench-import";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.ResumeTiming();
        LogDatabase log = LogDatabase::Open((folder / "log.sqlite").string());
        const LogImport parsed =
            ParseLogCsv(text, [](std::string_view) -> std::string { return {}; });
        log.AddEntries(parsed.outings);
    }
    fs::remove_all(folder);
}
BENCHMARK(Import)
    ->Name("Log/import_100000_lines")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void DeepPage(benchmark::State& state) {
    const LogDatabase log = LogDatabase::Open(TenYearLog());
    const std::vector<std::int64_t> ids = log.OutingIds({});
    const std::optional<Outing> middle = log.FindOuting(ids[ids.size() / 2]);
    const OutingCursor cursor{middle->date, middle->start, middle->id};
    for (auto _ : state) {
        benchmark::DoNotOptimize(log.OutingPage({}, cursor, 100));
    }
}
BENCHMARK(DeepPage)->Name("Log/page_of_100_mid_list")->Unit(benchmark::kMicrosecond);

}  // namespace
