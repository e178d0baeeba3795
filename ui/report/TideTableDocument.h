#pragma once

#include <string>
#include <vector>

#include "tides/TideTable.h"
#include "ui/report/ReportDocument.h"
#include "ui/report/ReportEngine.h"

namespace quintrel {

/// What the tide table's pages show: the title, the station line (station, distance,
/// datum, units and "Not for navigation", as tides::HeadingText writes it) and a line a
/// day.
struct TideTableSheet {
    std::string title;
    std::string stationLine;
    std::vector<tides::TideTableLine> lines;
};

/// The tide table as portrait pages of the same kind of document the month report records,
/// so the viewer, the printer and the PDF writer draw it alike. A day with more than four
/// tides takes a second line for the rest.
ReportDocument TideTableDocument(const TideTableSheet& sheet,
                                 const PageSetup& setup = DefaultPageSetup());

}  // namespace quintrel
