#pragma once

#include <QString>
#include <vector>

#include "log/LogRecords.h"
#include "ui/report/ReportDocument.h"
#include "ui/report/ReportEngine.h"

namespace quintrel {

/// A year of the log, as a club asks for it.
struct LogYear {
    int year = 0;
    std::vector<logbook::OutingEntries> entries;  ///< the year's outings, in list order
    QString photoFolder;                          ///< where the catches' photos are
    bool inches = false;                          ///< lengths in inches, else centimetres
    bool pounds = false;                          ///< weights in pounds, else kilograms
};

/// The year's catches as pages of the report's kind: a title with the totals, then one
/// line per catch (date, time, place, species, count, length, weight, released, method),
/// an outing without catches as one line, and each photo under its catch. Drawn like any
/// report page on screen, on paper and into PDF.
ReportDocument LogYearDocument(const LogYear& year, const PageSetup& setup = DefaultPageSetup());

}  // namespace quintrel
