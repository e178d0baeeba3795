// The planner's outputs: its CSV, its report and the year at a glance.

#include <gtest/gtest.h>

#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/PlanColumns.h"
#include "table/PlanOutput.h"
#include "table/PlanReport.h"
#include "table/YearView.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::kBoston;
using testing::ValuesOf;

PlanRequest BostonWeekends() {
    PlanRequest request;
    request.places = {{kBoston, "USA, Massachusetts (\"Boston\")"}};
    request.firstMonth = 3;
    request.firstYear = 2025;
    request.monthCount = 1;
    request.filters.weekdays = *ParseWeekdays("weekend");
    request.filters.daylightMajor = true;
    return request;
}

TEST(PlanOutputTest, csv_line_is_the_month_tables_line_with_place_and_periods) {
    const PlanRequest request = BostonWeekends();
    const PlanResult result = RunPlan(request);
    ASSERT_FALSE(result.days.empty());
    const std::string csv = BuildPlanCsv(request, result.days, "14:05:09", "06/12/2026");
    const MonthTable table = CalculateMonth(ValuesOf(kBoston), kBoston, 3, 2025);
    const PlanDay& first = result.days.front();
    const std::string expected =
        CsvDayLine(table, table.rows[static_cast<std::size_t>(first.row.Day - 1)]) +
        ",\"USA, Massachusetts (\"\"Boston\"\")\",Major 13:30";
    const std::string header = CsvPreamble("14:05:09", "06/12/2026") + "\r\n" + PlanCsvHeader();
    EXPECT_EQ(csv.substr(0, header.size() + 2 + expected.size() + 2),
              header + "\r\n" + expected + "\r\n");
    EXPECT_EQ(PlanMonthsText(request), "March 2025");
    EXPECT_EQ(NothingFoundText(request),
              "No day from March 2025 passes the filters (Saturday and Sunday; a major period "
              "from 30 min before sunrise to 30 min after sunset).");
}

// Each planner column shows its own part of a day, and the printed list has a field and a
// heading for every column.
TEST(PlanColumnsTest, each_column_shows_its_part_of_the_day) {
    PlanDay day;
    day.year = 2027;
    day.month = 1;
    day.row.Day = 9;
    day.row.DayName = "Saturday";
    day.row.Rating = "Good";
    day.row.Stars = "***";
    day.row.Phase = "87";
    day.row.WaxWan = "+";
    day.row.SRise = "07:12";
    day.row.SSet = "16:31";
    day.periods = {"major 05:10", "minor 17:40"};
    const std::pair<std::string_view, std::string> expected[] = {
        {"Date", "2027-01-09"}, {"DayName", "Saturday"}, {"Place", "Norway (Oslo)"},
        {"Rating", "Good"},     {"Stars", "***"},        {"Phase", "87+"},
        {"SRise", "07:12"},     {"SSet", "16:31"},       {"Periods", PeriodsText(day)},
    };
    ASSERT_EQ(std::size(expected), kPlanColumns.size());
    for (std::size_t i = 0; i < kPlanColumns.size(); ++i) {
        EXPECT_EQ(kPlanColumns[i].field, expected[i].first);
        EXPECT_EQ(PlanColumnText(day, kPlanColumns[i], "Norway (Oslo)"), expected[i].second)
            << kPlanColumns[i].field;
    }
    PlanRequest request = BostonWeekends();
    PlanReport report(request, {});
    for (const PlanColumn& column : kPlanColumns) {
        EXPECT_EQ(report.Caption("lbl" + std::string(column.field)), column.heading);
    }
}

TEST(PlanReportTest, delivers_every_day_on_a_landscape_page) {
    const PlanRequest request = BostonWeekends();
    std::vector<PlanDay> days = RunPlan(request).days;
    PlanReport report(request, days);
    EXPECT_EQ(report.Title(), "Quintrel Planner: March 2025");
    report.ActiveReport_ReportStart();
    EXPECT_EQ(report.Printer().Orientation, 2);
    report.ActiveReport_DataInitialize();
    std::size_t delivered = 0;
    bool eof = false;
    for (report.ActiveReport_FetchData(eof); !eof; report.ActiveReport_FetchData(eof)) {
        const PlanDay& day = days[delivered++];
        EXPECT_EQ(report.FieldText("Date"), PlanDateText(day));
        EXPECT_EQ(report.FieldText("Phase"), day.row.Phase + day.row.WaxWan);
        EXPECT_EQ(report.FieldText("Periods"), PeriodsText(day));
    }
    EXPECT_EQ(delivered, days.size());
    report.ActiveReport_ReportEnd();
    EXPECT_EQ(report.Printer().Orientation, 1);
    EXPECT_NE(report.Caption("lblCount").find(std::to_string(days.size()) + " days found"),
              std::string::npos);
}

TEST(YearViewTest, cells_follow_the_calendar_and_moons_the_phase) {
    const YearSheet sheet = BuildYearSheet(kBoston, "Boston", 2027);
    EXPECT_EQ(sheet.title, "Quintrel Year at a Glance: Boston 2027");
    // 1 January 2027 is a Friday: first row, sixth column; the 31st ends the sixth row.
    const YearMonth& january = sheet.months[0];
    ASSERT_EQ(january.days.size(), 31u);
    EXPECT_EQ(january.days[0].weekday, 6);
    EXPECT_EQ(january.days[0].week, 0);
    EXPECT_EQ(january.days[30].weekday, 1);
    EXPECT_EQ(january.days[30].week, 5);

    int days = 0;
    int newMoons = 0;
    int fullMoons = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        const MonthTable table =
            CalculateMonth(ValuesOf(kBoston), kBoston, static_cast<std::int16_t>(m + 1), 2027);
        ASSERT_EQ(sheet.months[m].days.size(), table.rows.size());
        for (std::size_t d = 0; d < table.rows.size(); ++d) {
            const YearDay& cell = sheet.months[m].days[d];
            EXPECT_EQ(cell.ratingRank, RatingRank(table.rows[d].Rating));
            newMoons += cell.moon == MoonMark::NewMoon;
            fullMoons += cell.moon == MoonMark::FullMoon;
            ++days;
        }
    }
    EXPECT_EQ(days, 365);
    // 2027 has 13 new moons (two in August) and 12 full moons.
    EXPECT_EQ(newMoons, 13);
    EXPECT_EQ(fullMoons, 12);
    // The new moon of 7 January 2027 (20:24 UT) and the full moon of 22 January (20:17 UT).
    EXPECT_EQ(january.days[6].moon, MoonMark::NewMoon);
    EXPECT_EQ(january.days[21].moon, MoonMark::FullMoon);
}

}  // namespace
}  // namespace quintrel
