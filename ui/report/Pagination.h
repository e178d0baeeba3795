#pragma once

#include <vector>

#include "table/arReport.h"

namespace quintrel {

/// Where one band lands: its page (0-based) and its top in twips from the top of the
/// page's printable area.
struct BandPlacement {
    ReportSectionKind kind = ReportSectionKind::Detail;
    int page = 0;
    int top = 0;
};

/// Stacks the bands of a banded report onto pages of a fixed printable height. The report
/// header opens page 1, the page header follows it and begins every later page, the page
/// footer closes every page at its bottom; any other band goes below the one before and
/// moves to a new page when it does not fit. Rows arrive one at a time, so the placement
/// is incremental.
class Paginator {
  public:
    /// All heights in twips; `bodyHeight` is the page height less the top and bottom margins.
    Paginator(int bodyHeight, int pageHeaderHeight, int pageFooterHeight);

    /// Opens page 1 with the report header and the page header.
    void Begin(int reportHeaderHeight);
    /// Places a detail or report footer band, first closing the page and opening the next
    /// one (page header) when the band does not fit. A band taller than an empty page is
    /// put on a page of its own and cut off at the bottom rather than pushed on forever.
    void Place(ReportSectionKind kind, int height);
    /// Closes the last page with its page footer.
    void Finish();

    /// Every placement so far, in drawing order.
    const std::vector<BandPlacement>& Placements() const { return placements_; }
    int PageCount() const { return page_ + 1; }

  private:
    void OpenPage();
    void ClosePage();

    int bodyHeight_;
    int pageHeaderHeight_;
    int pageFooterHeight_;
    int page_ = -1;
    int cursor_ = 0;
    int pageContentStart_ = 0;  ///< cursor just below the headers of the open page
    std::vector<BandPlacement> placements_;
};

}  // namespace quintrel
