// Cost of showing a month as a report: running the report and laying out its pages, and
// writing those pages to PDF, for a 31-day month (Sydney, January 2004).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>

#include "bench/BenchApplication.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/arReport.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportPdf.h"

namespace {

using namespace quintrel;

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";

using bench::EnsureApplication;

const MonthTable& January2004() {
    static const MonthTable table = [] {
        PlaceValues place;
        ParseSelectedLocation(kSydney, place);
        return CalculateMonth(place, kSydney, 1, 2004);
    }();
    return table;
}

const std::string& PlaceText() {
    static const std::string text = Cp1252ToUtf8(LocationDisplayText(kSydney));
    return text;
}

PageSetup Paper(QPageSize::PageSizeId id) {
    PageSetup setup;
    setup.paper = id;
    return setup;
}

void BM_RunAndLayOut(benchmark::State& state, QPageSize::PageSizeId paper) {
    EnsureApplication();
    const PageSetup setup = Paper(paper);
    for (auto _ : state) {
        auto report = NewMonthReport(January2004(), kSydney, PlaceText());
        benchmark::DoNotOptimize(RunReport(*report, setup));
    }
}
BENCHMARK_CAPTURE(BM_RunAndLayOut, a4_one_page, QPageSize::A4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunAndLayOut, letter_two_pages, QPageSize::Letter)
    ->Unit(benchmark::kMillisecond);

void BM_RunLayOutAndWritePdf(benchmark::State& state, QPageSize::PageSizeId paper) {
    EnsureApplication();
    const PageSetup setup = Paper(paper);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("month.pdf"));
    for (auto _ : state) {
        auto report = NewMonthReport(January2004(), kSydney, PlaceText());
        const ReportDocument document = RunReport(*report, setup);
        WritePdf(document, path);
    }
}
BENCHMARK_CAPTURE(BM_RunLayOutAndWritePdf, a4_one_page, QPageSize::A4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunLayOutAndWritePdf, letter_two_pages, QPageSize::Letter)
    ->Unit(benchmark::kMillisecond);

}  // namespace
