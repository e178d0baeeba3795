#include "ui/report/YearViewDocument.h"

#include <algorithm>
#include <array>

#include "astro/CalendarNames.h"
#include "astro/Rating.h"
#include "table/ReadingText.h"

namespace quintrel {

namespace {

// Twips. The page is laid out for the narrower of A4 and Letter, centred across the paper.
constexpr int kContentWidth = 10080;
constexpr int kColumnGap = 360;
constexpr int kCellWidth = 440;
constexpr int kCellHeight = 380;
constexpr int kMonthNameHeight = 300;
constexpr int kWeekdayRowHeight = 220;
constexpr int kMonthRowGap = 360;
constexpr int kMoonMarkSize = 130;
constexpr int kMonthColumns = 3;

ReportFont Font(double points, int weight, std::string family = "Verdana") {
    return ReportFont{std::move(family), points, weight};
}

PageItem Shape(PageItem::Kind kind, QRect box, QColor fill, QColor outline) {
    PageItem item;
    item.kind = kind;
    item.box = box;
    item.fill = fill;
    item.colour = outline;
    return item;
}

const QColor kCellOutline(150, 150, 150);

PageItem MoonMarkItem(MoonMark mark, QRect box) {
    // A black disc ringed white shows on the darkest shade too; a white disc ringed black
    // on the lightest.
    return mark == MoonMark::NewMoon ? Shape(PageItem::Kind::Ellipse, box, Qt::black, Qt::white)
                                     : Shape(PageItem::Kind::Ellipse, box, Qt::white, Qt::black);
}

void AddLegend(ReportPage& page, int left, int top) {
    int x = left;
    for (int rank = 1; rank <= 4; ++rank) {
        page.items.push_back(Shape(PageItem::Kind::Box, QRect(x, top + 20, 300, 200),
                                   RatingShade(rank), kCellOutline));
        page.items.push_back(
            TextItem(QRect(x + 360, top, 1240, 240),
                     QString::fromStdString(RatingLabel(static_cast<Rating>(rank))), Font(8.5, 400),
                     ReportAlignment::Left));
        x += 1600;
    }
    for (const MoonMark mark : {MoonMark::NewMoon, MoonMark::FullMoon}) {
        page.items.push_back(MoonMarkItem(mark, QRect(x, top + 55, kMoonMarkSize, kMoonMarkSize)));
        page.items.push_back(TextItem(
            QRect(x + 200, top, 1300, 240),
            mark == MoonMark::NewMoon ? QStringLiteral("New moon") : QStringLiteral("Full moon"),
            Font(8.5, 400), ReportAlignment::Left));
        x += 1520;
    }
}

void AddMonth(ReportPage& page, const YearMonth& month, int left, int top) {
    const int gridWidth = 7 * kCellWidth;
    page.items.push_back(
        TextItem(QRect(left, top, gridWidth, kMonthNameHeight),
                 QString::fromStdString(GetMonthName(static_cast<std::int16_t>(month.month), true)),
                 Font(10, 700), ReportAlignment::Centre));
    const int headerTop = top + kMonthNameHeight;
    for (std::int16_t weekday = 1; weekday <= 7; ++weekday) {
        page.items.push_back(TextItem(
            QRect(left + (weekday - 1) * kCellWidth, headerTop, kCellWidth, kWeekdayRowHeight),
            QString::fromStdString(GetDayName(weekday).substr(0, 2)), Font(7, 700),
            ReportAlignment::Centre));
    }
    const int cellsTop = headerTop + kWeekdayRowHeight;
    for (const YearDay& day : month.days) {
        const QRect cell(left + (day.weekday - 1) * kCellWidth, cellsTop + day.week * kCellHeight,
                         kCellWidth, kCellHeight);
        page.items.push_back(
            Shape(PageItem::Kind::Box, cell, RatingShade(day.ratingRank), kCellOutline));
        const QColor ink = day.ratingRank == 4 ? Qt::white : Qt::black;
        page.items.push_back(TextItem(cell.adjusted(30, 15, -30, 0), QString::number(day.day),
                                      Font(7.5, day.ratingRank == 4 ? 700 : 400),
                                      ReportAlignment::Left, ink));
        // The rating's stars under the number: neighbouring shades are close in brightness
        // (white to pale green is 1.35:1), so the shade alone does not tell them apart for
        // weak or colour-blind sight, nor on a grey printer.
        if (day.ratingRank > 0) {
            page.items.push_back(TextItem(
                QRect(cell.left() + 30, cell.bottom() - 175, 330, 160),
                QString::fromUtf8(RatingStars(static_cast<Rating>(std::min(day.ratingRank, 4)))),
                Font(7, 700), ReportAlignment::Left, ink));
        }
        if (day.moon != MoonMark::None) {
            page.items.push_back(
                MoonMarkItem(day.moon, QRect(cell.right() - kMoonMarkSize - 40, cell.top() + 40,
                                             kMoonMarkSize, kMoonMarkSize)));
        }
    }
}

}  // namespace

QColor RatingShade(int ratingRank) {
    switch (ratingRank) {
        case 2:
            return QColor(0xCD, 0xE5, 0xBE);
        case 3:
            return QColor(0x8C, 0xC0, 0x6E);
        case 4:
            return QColor(0x2F, 0x6B, 0x2C);
        default:
            return QColor(Qt::white);
    }
}

ReportDocument YearViewDocument(const YearSheet& sheet, const PageSetup& setup) {
    const QPageSize paper(setup.paper);
    ReportDocument document;
    document.title = QString::fromStdString(sheet.title);
    document.pageLayout =
        QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = paper.size(QPageSize::Point);
    document.pageWidthTwips = static_cast<int>(std::lround(points.width() * 20.0));
    document.pageHeightTwips = static_cast<int>(std::lround(points.height() * 20.0));

    ReportPage page;
    const int left = std::max(0, (document.pageWidthTwips - kContentWidth) / 2);
    int top = setup.marginTop;
    page.items.push_back(TextItem(QRect(left, top, kContentWidth, 460),
                                  QString::fromStdString(sheet.title), Font(15, 700, "Georgia"),
                                  ReportAlignment::Centre));
    top += 480;
    page.items.push_back(TextItem(QRect(left, top, kContentWidth, 280),
                                  QString::fromStdString(sheet.placeLine), Font(9, 700),
                                  ReportAlignment::Centre));
    top += 380;
    AddLegend(page, left + 180, top);
    top += 420;

    const int columnWidth = (kContentWidth - (kMonthColumns - 1) * kColumnGap) / kMonthColumns;
    const int gridInset = (columnWidth - 7 * kCellWidth) / 2;
    const int monthHeight = kMonthNameHeight + kWeekdayRowHeight + 6 * kCellHeight;
    for (std::size_t index = 0; index < sheet.months.size(); ++index) {
        const int column = static_cast<int>(index) % kMonthColumns;
        const int row = static_cast<int>(index) / kMonthColumns;
        AddMonth(page, sheet.months[index], left + column * (columnWidth + kColumnGap) + gridInset,
                 top + row * (monthHeight + kMonthRowGap));
    }
    top += 4 * (monthHeight + kMonthRowGap);
    page.items.push_back(
        TextItem(QRect(left, top, kContentWidth, 240),
                 QStringLiteral("Each day is shaded and starred by its rating, which "
                                "follows the moon's phase; the month report gives "
                                "its times."),
                 Font(7.5, 400), ReportAlignment::Centre));
    document.pages.push_back(std::move(page));
    for (const std::string& line : YearSheetLines(sheet)) {
        document.readingHeadings.push_back(QString::fromStdString(line));
    }
    return document;
}

}  // namespace quintrel
