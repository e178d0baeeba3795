#pragma once

#include <memory>
#include <string>
#include <vector>

#include "table/Planner.h"
#include "table/arReport.h"

namespace quintrel {

/// The planner's list as a printable report, run by the same report engine as the month
/// report: a landscape page with the banner, a heading naming the months and filters, and
/// one detail line per planned day (date, weekday, place, rating, stars, phase, sunrise,
/// sunset and the periods that matched), ending with the number of days found.
class PlanReport : public arReport {
  public:
    PlanReport(const PlanRequest& request, std::vector<PlanDay> days);

    /// Adds the planner's nine fields and points the cursor at the first day.
    void ActiveReport_DataInitialize() override;
    /// Delivers the next day, or eof past the last one.
    void ActiveReport_FetchData(bool& eof) override;
    /// Keeps the printer's setting as the month report does, then asks for landscape.
    void ActiveReport_ReportStart() override;

    const std::vector<PlanDay>& Days() const { return days_; }

  private:
    std::vector<std::string> placeNames_;
    std::vector<PlanDay> days_;
    std::size_t next_ = 0;
};

/// The most days the report prints: the report engine stops a report that goes on past
/// this many lines (some 300 pages).
inline constexpr std::size_t kMaxPlanReportDays = 10000;

/// The planner report's nine field names, in the order DataInitialize adds them.
const std::vector<std::string>& PlanReportFieldNames();

/// "Quintrel Planner: January 2027 to June 2027"
std::string PlanReportTitle(const PlanRequest& request);

}  // namespace quintrel
