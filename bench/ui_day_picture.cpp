// Cost of the day picture: its content from the engine (the month table included, as when
// the window steps into another month), recording the page, and drawing it on screen size
// and into a 150 dpi picture. Sydney on its clock-change day, 6 April 2025.

#include <benchmark/benchmark.h>

#include <QImage>
#include <string>

#include "bench/BenchApplication.h"
#include "table/DayPicture.h"
#include "ui/report/DayPictureDocument.h"
#include "ui/report/ReportImage.h"

namespace {

using namespace quintrel;

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";

using bench::EnsureApplication;

void BM_DayContentWithItsMonthTable(benchmark::State& state) {
    for (auto _ : state) {
        DayView view(kSydney, 2025, 4, 6);
        benchmark::DoNotOptimize(view.Picture().sun.size());
    }
}
BENCHMARK(BM_DayContentWithItsMonthTable)->Unit(benchmark::kMillisecond);

void BM_StepOneDayInTheMonth(benchmark::State& state) {
    DayView view(kSydney, 2025, 4, 6);
    int step = 1;
    for (auto _ : state) {
        view.Step(step);
        step = -step;
    }
}
BENCHMARK(BM_StepOneDayInTheMonth)->Unit(benchmark::kMillisecond);

void BM_RecordPage(benchmark::State& state) {
    EnsureApplication();
    const DayView view(kSydney, 2025, 4, 6);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecordDayPicture(view.Picture(), "Australia (Sydney)", kSydney));
    }
}
BENCHMARK(BM_RecordPage)->Unit(benchmark::kMillisecond);

// What the window does for each day shown: record the page and draw it, at the viewer's
// 75 per cent on a 96 dpi screen and as a 150 dpi picture.
void BM_RecordAndDraw(benchmark::State& state) {
    EnsureApplication();
    const DayView view(kSydney, 2025, 4, 6);
    const double dotsPerInch = static_cast<double>(state.range(0));
    for (auto _ : state) {
        const ReportDocument document =
            RecordDayPicture(view.Picture(), "Australia (Sydney)", kSydney);
        benchmark::DoNotOptimize(RenderFirstPage(document, dotsPerInch));
    }
}
BENCHMARK(BM_RecordAndDraw)->Arg(72)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace
