#include "table/PlanReport.h"

#include <array>

#include "table/PlanColumns.h"
#include "table/PlanOutput.h"
#include "table/ReportLayout.h"

namespace quintrel {

namespace {

using namespace report_layout;
using A = ReportAlignment;

constexpr int kRegular = 400;
constexpr int kBold = 700;
constexpr double kPoints = 8.5;
// Landscape: the content runs from 113 to the right edge below.
constexpr int kRight = 14800;
constexpr int kWidth = kRight - 113;

// Where each planner column sits on the page, in kPlanColumns' order.
struct Placement {
    int left;
    int width;
    A alignment;
};

constexpr std::array<Placement, kPlanColumns.size()> kPlacements = {{
    {113, 1000, A::Left},    // Date
    {1150, 1250, A::Left},   // Day
    {2450, 3600, A::Left},   // Place
    {6100, 650, A::Left},    // Rating
    {6750, 600, A::Left},    // Stars
    {7400, 600, A::Right},   // Phase
    {8050, 750, A::Centre},  // Sunrise
    {8800, 750, A::Centre},  // Sunset
    {9650, 5150, A::Left},   // Matched Periods
}};

std::vector<ReportSection> BuildPlanLayout(const PlanRequest& request, std::size_t dayCount) {
    const int bannerLeft = 113 + (kWidth - 9241) / 2;
    std::vector<ReportSection> sections;
    sections.push_back({ReportSectionKind::ReportHeader,
                        "ReportHeader",
                        1065,
                        {
                            Picture("Image6", bannerLeft, 0, 9241, 964, kBannerPicture),
                            Label("lblRptHeader", bannerLeft, 113, 9241, 567, ReportVersionText(),
                                  22, kRegular, A::Centre, "Georgia"),
                            Line("Line3", 113, 1020, kRight, 1020),
                        }});

    ReportSection pageHeader{ReportSectionKind::PageHeader, "PageHeader", 1000, {}};
    pageHeader.controls = {
        Picture("Image1", 0, 57, 624, 567, kMoonPicture),
        Picture("Image2", kRight - 623, 57, 623, 567, kLeapingFishPicture),
        Label("lblPageHeader", 624, 0, kRight - 1247, 340, PlanReportTitle(request), 11.5, kBold,
              A::Centre),
        Label("lblFilters", 624, 340, kRight - 1247, 284,
              "Days with " + PlanFiltersText(request.filters), 9, kBold, A::Centre),
        Line("Line2", 113, 680, kRight, 680),
        Line("Line1", 113, 964, kRight, 964),
    };
    std::vector<ReportControl> fields;
    for (std::size_t i = 0; i < kPlanColumns.size(); ++i) {
        const std::string field(kPlanColumns[i].field);
        const Placement& at = kPlacements[i];
        pageHeader.controls.push_back(Label("lbl" + field, at.left, 737, at.width, 227,
                                            std::string(kPlanColumns[i].heading), kPoints, kBold,
                                            at.alignment));
        fields.push_back(Field("fld" + field, field, at.left, at.width,
                               field == "Stars" ? kBold : kRegular, at.alignment));
    }
    sections.push_back(std::move(pageHeader));
    sections.push_back({ReportSectionKind::Detail, "Detail", 255, std::move(fields)});
    sections.push_back({ReportSectionKind::PageFooter, "PageFooter", 0, {}});

    const std::string count = dayCount == 1 ? "1 day" : std::to_string(dayCount) + " days";
    ReportControl note =
        Label("lblCount", 113, 113, kWidth, 454,
              count +
                  " found, sorted by date and then by rating. Times are on the local clock, "
                  "daylight saving included; the month report of a place gives every time "
                  "of its days.",
              kPoints, kRegular, A::Centre);
    note.wordWrap = true;
    sections.push_back({ReportSectionKind::ReportFooter,
                        "ReportFooter",
                        680,
                        {Line("Line4", 113, 57, kRight, 57), std::move(note)}});
    return sections;
}

}  // namespace

const std::vector<std::string>& PlanReportFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const PlanColumn& column : kPlanColumns) {
            list.emplace_back(column.field);
        }
        return list;
    }();
    return names;
}

std::string PlanReportTitle(const PlanRequest& request) {
    return "Quintrel Planner: " + PlanMonthsText(request);
}

PlanReport::PlanReport(const PlanRequest& request, std::vector<PlanDay> days)
    : arReport(MonthTable{}, BuildPlanLayout(request, days.size())), days_(std::move(days)) {
    for (const PlanPlace& place : request.places) {
        placeNames_.push_back(place.name);
    }
    SetTitle(PlanReportTitle(request));
}

void PlanReport::ActiveReport_DataInitialize() {
    // Run again (printed after being shown), the report starts over with the same fields.
    if (Fields().empty()) {
        for (const std::string& name : PlanReportFieldNames()) {
            AddField(name);
        }
    }
    next_ = 0;
}

void PlanReport::ActiveReport_FetchData(bool& eof) {
    if (next_ >= days_.size()) {
        eof = true;
        return;
    }
    const PlanDay& day = days_[next_];
    const std::string place =
        day.placeIndex < placeNames_.size() ? placeNames_[day.placeIndex] : std::string();
    for (const PlanColumn& column : kPlanColumns) {
        SetFieldValue(std::string(column.field), PlanColumnText(day, column, place));
    }
    eof = false;
    ++next_;
}

void PlanReport::ActiveReport_ReportStart() {
    arReport::ActiveReport_ReportStart();
    Printer().Orientation = 2;
}

}  // namespace quintrel
