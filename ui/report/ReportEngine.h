#pragma once

#include <QLocale>
#include <QPageSize>

#include "table/arReport.h"
#include "ui/report/ReportDocument.h"

namespace quintrel {

/// Paper and margins for laying out a report, all in twips.
struct PageSetup {
    QPageSize::PageSizeId paper = QPageSize::A4;
    int marginTop = 720;
    int marginBottom = 720;
};

/// Letter where the locale measures in US units, A4 everywhere else (the UK included,
/// which prints on A4); half-inch top and bottom margins. The report's content is centred
/// across the paper, so both sizes fit its 9411-twip width with room to spare.
PageSetup DefaultPageSetup(const QLocale& locale = QLocale());

/// Runs `report` as a report engine does (report start, data initialisation, one fetch
/// per row until eof, report end) and lays its bands out on pages of `setup`'s paper, in
/// the orientation the report's printer asks for during the run. The pages are recorded as
/// drawing operations. Report end runs even when another event throws; the exception then
/// passes on and no document comes back.
ReportDocument RunReport(arReport& report, const PageSetup& setup = DefaultPageSetup());

}  // namespace quintrel
