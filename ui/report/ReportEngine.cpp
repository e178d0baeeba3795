#include "ui/report/ReportEngine.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <string>

#include "astro/CoreError.h"
#include "ui/report/Pagination.h"
#include "ui/report/ReportFonts.h"

namespace quintrel {

namespace {

// No month has more rows than this; a report that never answers eof is stopped here.
constexpr int kMaxRows = 10000;
// The right edge of the widest control: the content is centred across the paper. For the
// month report it is the rule above the closing picture, at 9411.
int ContentWidth(const arReport& report) {
    int width = 0;
    for (const ReportSection& section : report.Sections()) {
        for (const ReportControl& control : section.controls) {
            width = std::max({width, control.left + control.width, control.x1, control.x2});
        }
    }
    return width;
}

int ToTwips(double points) {
    return static_cast<int>(std::lround(points * 20.0));
}

// A one-line text wider than its box (a long place name in the title) would be cut off at
// the box's edge; it is set a little smaller instead, just enough to fit.
void ShrinkToFit(PageItem& item) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const QFont font = ReportQFont(item.font);
        const double needed = QFontMetricsF(font).horizontalAdvance(item.text);
        if (needed <= item.box.width())
            return;
        const int pixels =
            static_cast<int>(std::floor(font.pixelSize() * item.box.width() / needed));
        if (pixels < 1 || pixels >= font.pixelSize())
            return;
        item.font.pointSize = pixels / 20.0;
    }
}

// Records the controls of one placed band on its page.
class PageRecorder {
  public:
    PageRecorder(const arReport& report, ReportDocument& document, int left, int top)
        : report_(report), document_(document), left_(left), top_(top) {}

    void Record(const ReportSection& section, const BandPlacement& placement) {
        while (document_.pages.size() <= static_cast<std::size_t>(placement.page)) {
            document_.pages.emplace_back();
        }
        ReportPage& page = document_.pages[static_cast<std::size_t>(placement.page)];
        const int x0 = left_;
        const int y0 = top_ + placement.top;
        if (section.kind == ReportSectionKind::Detail) {
            // The row just fetched: the cursor has already moved past it.
            page.rows.push_back({report_.RowCursor() - 1, y0, y0 + section.height});
        }
        for (const ReportControl& control : section.controls) {
            PageItem item;
            item.box = QRect(x0 + control.left, y0 + control.top, control.width, control.height);
            item.font = control.font;
            item.alignment = control.alignment;
            item.wordWrap = control.wordWrap;
            switch (control.kind) {
                case ReportControlKind::Label:
                    item.kind = PageItem::Kind::Text;
                    item.text = QString::fromStdString(control.caption);
                    break;
                case ReportControlKind::Field:
                    item.kind = PageItem::Kind::Text;
                    item.text = QString::fromStdString(report_.FieldText(control.dataField));
                    break;
                case ReportControlKind::Line:
                    item.kind = PageItem::Kind::Line;
                    item.line =
                        QLine(x0 + control.x1, y0 + control.y1, x0 + control.x2, y0 + control.y2);
                    break;
                case ReportControlKind::Picture:
                    item.kind = PageItem::Kind::Picture;
                    item.picture = QString::fromStdString(control.picture);
                    break;
            }
            // Empty texts draw nothing; leaving them out keeps pages small.
            if (item.kind == PageItem::Kind::Text && item.text.isEmpty())
                continue;
            if (item.kind == PageItem::Kind::Text && !item.wordWrap)
                ShrinkToFit(item);
            page.items.push_back(std::move(item));
        }
    }

  private:
    const arReport& report_;
    ReportDocument& document_;
    int left_;
    int top_;
};

ReportDocument LayOut(arReport& report, const PageSetup& setup) {
    const QPageLayout::Orientation orientation =
        report.Printer().Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
    const QPageSize paper(setup.paper);
    ReportDocument document;
    document.title = QString::fromStdString(report.Title());
    document.pageLayout =
        QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = paper.size(QPageSize::Point);
    const int shortSide = ToTwips(std::min(points.width(), points.height()));
    const int longSide = ToTwips(std::max(points.width(), points.height()));
    document.pageWidthTwips = orientation == QPageLayout::Portrait ? shortSide : longSide;
    document.pageHeightTwips = orientation == QPageLayout::Portrait ? longSide : shortSide;

    const int left = std::max(0, (document.pageWidthTwips - ContentWidth(report)) / 2);
    const int bodyHeight = document.pageHeightTwips - setup.marginTop - setup.marginBottom;
    const ReportSection& reportHeader = report.Section(ReportSectionKind::ReportHeader);
    const ReportSection& pageHeader = report.Section(ReportSectionKind::PageHeader);
    const ReportSection& detail = report.Section(ReportSectionKind::Detail);
    const ReportSection& pageFooter = report.Section(ReportSectionKind::PageFooter);
    const ReportSection& reportFooter = report.Section(ReportSectionKind::ReportFooter);

    for (const ReportControl& control : detail.controls) {
        if (control.kind != ReportControlKind::Line && control.kind != ReportControlKind::Picture &&
            control.font.pointSize > 0.0) {
            document.readableTextPoints =
                document.readableTextPoints > 0.0
                    ? std::min(document.readableTextPoints, control.font.pointSize)
                    : control.font.pointSize;
        }
    }

    Paginator paginator(bodyHeight, pageHeader.height, pageFooter.height);
    PageRecorder recorder(report, document, left, setup.marginTop);
    std::size_t recorded = 0;
    // Records what the paginator placed since the last call; a detail band records the
    // field values of the row just fetched.
    auto recordNew = [&] {
        const auto& placements = paginator.Placements();
        for (; recorded < placements.size(); ++recorded) {
            const BandPlacement& placement = placements[recorded];
            recorder.Record(report.Section(placement.kind), placement);
        }
    };

    report.ActiveReport_DataInitialize();
    paginator.Begin(reportHeader.height);
    recordNew();
    for (int rows = 0;; ++rows) {
        bool eof = false;
        report.ActiveReport_FetchData(eof);
        if (eof)
            break;
        if (rows >= kMaxRows) {
            throw CoreError("The report delivered more than " + std::to_string(kMaxRows) + " rows");
        }
        paginator.Place(ReportSectionKind::Detail, detail.height);
        recordNew();
    }
    paginator.Place(ReportSectionKind::ReportFooter, reportFooter.height);
    paginator.Finish();
    recordNew();
    return document;
}

}  // namespace

PageSetup DefaultPageSetup(const QLocale& locale) {
    PageSetup setup;
    setup.paper =
        locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
    return setup;
}

ReportDocument RunReport(arReport& report, const PageSetup& setup) {
    report.ActiveReport_ReportStart();
    ReportDocument document;
    try {
        document = LayOut(report, setup);
    } catch (...) {
        report.ActiveReport_ReportEnd();
        throw;
    }
    report.ActiveReport_ReportEnd();
    return document;
}

}  // namespace quintrel
