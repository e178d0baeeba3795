#pragma once

#include <QColor>

#include "table/YearView.h"
#include "ui/report/ReportDocument.h"
#include "ui/report/ReportEngine.h"

namespace quintrel {

/// The shade of a day cell for a rating rank (0 and 1 "Poor" white .. 4 "Best" dark green).
/// The four shades lie far apart in grey too, so a black-and-white print keeps them apart.
QColor RatingShade(int ratingRank);

/// The year at a glance as one portrait page of the same kind of document the month report
/// records: title and place line, a legend of the four shades and the moon marks, and
/// twelve month grids whose day cells are shaded by rating, with a black disc on the day of
/// the new moon and a white one on the day of the full moon. Drawn like any report page on
/// screen, on paper and into PDF.
ReportDocument YearViewDocument(const YearSheet& sheet,
                                const PageSetup& setup = DefaultPageSetup());

}  // namespace quintrel
