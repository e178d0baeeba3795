#include "ui/report/Pagination.h"

namespace quintrel {

Paginator::Paginator(int bodyHeight, int pageHeaderHeight, int pageFooterHeight)
    : bodyHeight_(bodyHeight),
      pageHeaderHeight_(pageHeaderHeight),
      pageFooterHeight_(pageFooterHeight) {}

void Paginator::Begin(int reportHeaderHeight) {
    page_ = 0;
    cursor_ = 0;
    placements_.push_back({ReportSectionKind::ReportHeader, page_, cursor_});
    cursor_ += reportHeaderHeight;
    placements_.push_back({ReportSectionKind::PageHeader, page_, cursor_});
    cursor_ += pageHeaderHeight_;
    pageContentStart_ = cursor_;
}

void Paginator::OpenPage() {
    ++page_;
    cursor_ = 0;
    placements_.push_back({ReportSectionKind::PageHeader, page_, cursor_});
    cursor_ += pageHeaderHeight_;
    pageContentStart_ = cursor_;
}

void Paginator::ClosePage() {
    placements_.push_back({ReportSectionKind::PageFooter, page_, bodyHeight_ - pageFooterHeight_});
}

void Paginator::Place(ReportSectionKind kind, int height) {
    if (page_ < 0)
        Begin(0);
    const int limit = bodyHeight_ - pageFooterHeight_;
    const bool pageHasContent = cursor_ > pageContentStart_;
    if (cursor_ + height > limit && pageHasContent) {
        ClosePage();
        OpenPage();
    }
    placements_.push_back({kind, page_, cursor_});
    cursor_ += height;
}

void Paginator::Finish() {
    if (page_ < 0)
        Begin(0);
    ClosePage();
}

}  // namespace quintrel
