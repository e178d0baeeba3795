#pragma once

#include <ostream>
#include <string>

#include "cli/LocalClock.h"
#include "cli/TableOptions.h"
#include "locations/LocationList.h"
#include "table/Planner.h"

namespace quintrel::cli {

/// The search the options ask for: the places of --places ("favourites", "all", or texts
/// each choosing one place as --place does), the months from --from (this month when
/// absent) for --months, and the filters. Throws UsageError, saying what is allowed, for a
/// malformed --from, an unknown rating or weekday, an empty place set or a month count
/// outside 1..24; CoreError when a place text matches no place or several.
PlanRequest BuildPlanRequest(const TableOptions& options, const LocationList& places,
                             const LocalMoment& now);

/// The planned days as aligned text: a heading with the months and filters, then one line
/// per day (date, weekday, rating, stars, phase, sunrise, sunset, matched periods, place).
/// A search that found nothing gives the one line of NothingFoundText.
std::string FormatPlanText(const PlanRequest& request, const PlanResult& result);

/// --plan: the best days, as text or CSV, and as a PDF list when asked. Notes that are not
/// the list (a search that found nothing, written as CSV) go to `messages`.
bool IsPlanMode(const TableOptions& options);
void RunPlanCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& messages);

}  // namespace quintrel::cli
