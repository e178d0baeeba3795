#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/Planner.h"

namespace quintrel {

/// The months a request covers: "January 2027 to June 2027", or "March 2027" for one.
std::string PlanMonthsText(const PlanRequest& request);

/// The filters in words: "rating Good or better; Saturday and Sunday; a major period from
/// 30 min before sunrise to 30 min after sunset". "every day" when nothing is filtered.
std::string PlanFiltersText(const PlanFilters& filters);

/// What a search that found nothing says instead of an empty list:
/// "No day from January 2027 to June 2027 passes the filters (rating Good or better; ...)."
std::string NothingFoundText(const PlanRequest& request);

/// The header line of the planner's CSV file: the month table's columns, then the place
/// and the matched periods.
std::string PlanCsvHeader();

/// The planner's CSV file: the month table export's preamble (time and date texts supplied
/// by the caller) and header, then one line per day: the day exactly as the month table's
/// export writes it, the place's name and the periods that matched. CR LF line ends.
std::string BuildPlanCsv(const PlanRequest& request, const std::vector<PlanDay>& days,
                         std::string_view timeText, std::string_view dateText);

}  // namespace quintrel
