#pragma once

#include <string_view>

#include "table/DayPicture.h"
#include "ui/report/ReportDocument.h"
#include "ui/report/ReportEngine.h"

namespace quintrel {

/// Records the picture of one day as a one-page landscape document of the same kind as the
/// month report, so the viewer, the printer, the PDF writer and the image writers all draw
/// the same page. `placeText` is the place list's display text (UTF-8) and `record` the
/// place's location record (for the latitude and longitude line). Dark and light parts
/// differ in grey as well as in colour, and the two curves in line style, so the page
/// reads the same printed in grey.
ReportDocument RecordDayPicture(const DayPicture& picture, std::string_view placeText,
                                std::string_view record,
                                const PageSetup& setup = DefaultPageSetup());

}  // namespace quintrel
