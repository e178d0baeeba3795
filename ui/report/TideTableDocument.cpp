#include "ui/report/TideTableDocument.h"

#include <QPageSize>
#include <algorithm>
#include <cmath>

#include "tides/PlaceTides.h"

namespace quintrel {

namespace {

// Twips; the content is centred across the paper and fits A4 and Letter.
constexpr int kContentWidth = 10800;
constexpr int kDayWidth = 750;
constexpr int kTideWidth = 1680;
constexpr int kTidesPerLine = 4;
constexpr int kRatingWidth = 1000;
constexpr int kTimesWidth = 1150;
constexpr int kLineHeight = 250;

class TidePages {
  public:
    TidePages(ReportDocument& document, const TideTableSheet& sheet, const PageSetup& setup)
        : document_(document), sheet_(sheet), setup_(setup) {
        left_ = std::max(0, (document.pageWidthTwips - kContentWidth) / 2);
    }

    void Record() {
        NewPage(true);
        for (const tides::TideTableLine& line : sheet_.lines) {
            const int rows = std::max<int>(
                1, (static_cast<int>(line.tides.size()) + kTidesPerLine - 1) / kTidesPerLine);
            if (top_ + rows * kLineHeight > document_.pageHeightTwips - setup_.marginBottom) {
                NewPage(false);
            }
            DayLine(line, rows);
        }
        Footer();
    }

  private:
    void Text(QRect box, const std::string& text, const ReportFont& font,
              ReportAlignment alignment = ReportAlignment::Left) {
        Page().items.push_back(TextItem(box, QString::fromStdString(text), font, alignment,
                                        Qt::black, box.height() > kLineHeight));
    }

    void Rule(int y) {
        PageItem item;
        item.kind = PageItem::Kind::Line;
        item.line = QLine(left_, y, left_ + kContentWidth, y);
        Page().items.push_back(std::move(item));
    }

    ReportPage& Page() { return document_.pages.back(); }

    void NewPage(bool first) {
        document_.pages.emplace_back();
        top_ = setup_.marginTop;
        if (first) {
            Text(QRect(left_, top_, kContentWidth, 420), sheet_.title, DocumentFont(14, 700),
                 ReportAlignment::Centre);
            top_ += 460;
        }
        // The station and "Not for navigation" head every page, so no printed page is
        // without them.
        Text(QRect(left_, top_, kContentWidth, 480), sheet_.stationLine, DocumentFont(8.5, 700),
             ReportAlignment::Centre);
        top_ += 520;
        const int tidesLeft = left_ + kDayWidth;
        Text(QRect(left_, top_, kDayWidth, kLineHeight), "Day", DocumentFont(8, 700));
        Text(QRect(tidesLeft, top_, kTidesPerLine * kTideWidth, kLineHeight),
             "High and low waters (time, height, tide)", DocumentFont(8, 700));
        int x = tidesLeft + kTidesPerLine * kTideWidth;
        Text(QRect(x, top_, kRatingWidth, kLineHeight), "Rating", DocumentFont(8, 700));
        x += kRatingWidth;
        Text(QRect(x, top_, kTimesWidth, kLineHeight), "Major", DocumentFont(8, 700));
        Text(QRect(x + kTimesWidth, top_, kTimesWidth, kLineHeight), "Minor", DocumentFont(8, 700));
        top_ += kLineHeight;
        Rule(top_);
        top_ += 40;
    }

    void DayLine(const tides::TideTableLine& line, int rows) {
        const int row = static_cast<int>(&line - sheet_.lines.data()) + 1;
        const int start = top_;
        Text(QRect(left_, top_, kDayWidth, kLineHeight), line.dayText, DocumentFont(8, 700));
        for (std::size_t i = 0; i < line.tides.size(); ++i) {
            const int column = static_cast<int>(i) % kTidesPerLine;
            const int subRow = static_cast<int>(i) / kTidesPerLine;
            const bool high = line.tides[i].find("High") != std::string::npos;
            Text(QRect(left_ + kDayWidth + column * kTideWidth, top_ + subRow * kLineHeight,
                       kTideWidth, kLineHeight),
                 line.tides[i], DocumentFont(7.5, high ? 700 : 400));
        }
        int x = left_ + kDayWidth + kTidesPerLine * kTideWidth;
        Text(QRect(x, top_, kRatingWidth, kLineHeight), line.rating, DocumentFont(8));
        x += kRatingWidth;
        Text(QRect(x, top_, kTimesWidth, kLineHeight), line.majors, DocumentFont(8));
        Text(QRect(x + kTimesWidth, top_, kTimesWidth, kLineHeight), line.minors, DocumentFont(8));
        top_ += rows * kLineHeight;
        Page().rows.push_back({row, start, top_});
    }

    void Footer() {
        const int bottom = document_.pageHeightTwips - setup_.marginBottom;
        Text(QRect(left_, std::min(top_ + 200, bottom - 480), kContentWidth, 480),
             std::string("Times are on the place's clock, to the minute; heights above the "
                         "station's datum. Rating, major and minor times are the month "
                         "table's. ") +
                 tides::kNotForNavigation + ".",
             DocumentFont(7.5), ReportAlignment::Left);
    }

    ReportDocument& document_;
    const TideTableSheet& sheet_;
    const PageSetup& setup_;
    int left_ = 0;
    int top_ = 0;
};

}  // namespace

ReportDocument TideTableDocument(const TideTableSheet& sheet, const PageSetup& setup) {
    const QPageSize paper(setup.paper);
    ReportDocument document;
    document.title = QString::fromStdString(sheet.title);
    document.pageLayout =
        QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = paper.size(QPageSize::Point);
    document.pageWidthTwips = static_cast<int>(std::lround(points.width() * 20.0));
    document.pageHeightTwips = static_cast<int>(std::lround(points.height() * 20.0));
    TidePages(document, sheet, setup).Record();
    return document;
}

}  // namespace quintrel
