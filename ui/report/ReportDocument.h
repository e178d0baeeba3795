#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPageLayout>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <vector>

#include "table/arReport.h"

class QPainter;

namespace quintrel {

/// One drawing operation of a finished page. Coordinates are twips from the top left
/// corner of the paper (margins included), so every device draws the same page.
struct PageItem {
    /// Box and Ellipse fill `box` with `fill` (none when invalid) and outline it in
    /// `colour` (none when invalid): the shaded day cells and moon marks of the year view.
    /// Shape does the same for `path` (the day picture's curves, bands and bars).
    /// Image draws `image` (a photo) centred in `box`, its shape kept.
    enum class Kind { Text, Line, Picture, Box, Ellipse, Shape, Image };
    Kind kind = Kind::Text;
    QRect box;        ///< text, picture, box and ellipse box
    QLine line;       ///< line end points
    QString text;     ///< text to draw
    QString picture;  ///< picture name (see ReportPictures.h)
    ReportFont font;  ///< the layout's font; mapped to an installed face when drawn
    ReportAlignment alignment = ReportAlignment::Left;
    bool wordWrap = false;
    QColor colour = Qt::black;  ///< text, line and outline colour
    QColor fill;                ///< fill of boxes, ellipses and shapes
    QPainterPath path;          ///< a shape's outline, in twips
    int penWidth = 0;           ///< a shape's outline width in twips
    Qt::PenStyle penStyle = Qt::SolidLine;
    QRect clip;    ///< a shape's clip; empty: not clipped
    QImage image;  ///< an Image item's picture
};

/// Where a detail band (one day line of the month report) landed on its page.
struct PageRow {
    int row = 0;     ///< 1-based row of the report's table
    int top = 0;     ///< twips from the top of the paper
    int bottom = 0;  ///< twips from the top of the paper
};

/// A laid-out page: what the report engine recorded for it, in drawing order.
struct ReportPage {
    std::vector<PageItem> items;
    std::vector<PageRow> rows;  ///< the detail bands on the page, top to bottom
};

/// The documents' face (Verdana) at `points` and `weight` (400 regular, 700 bold).
ReportFont DocumentFont(double points, int weight = 400);

/// A text item: `text` in `box`, aligned, in `colour`, wrapped at word ends when `wordWrap`.
PageItem TextItem(const QRect& box, const QString& text, const ReportFont& font,
                  ReportAlignment alignment = ReportAlignment::Left,
                  const QColor& colour = Qt::black, bool wordWrap = false);

/// The row whose detail band holds the height `yTwips` of `page`, or 0 when none does.
int RowAtHeight(const ReportPage& page, int yTwips);

/// The pages of one report run, recorded once and drawn the same way on screen, on paper
/// and into PDF.
struct ReportDocument {
    QString title;           ///< the report's title: document name for prints and PDFs
    QPageLayout pageLayout;  ///< paper size and orientation the pages were laid out for
    int pageWidthTwips = 0;
    int pageHeightTwips = 0;
    /// The size of the text that must stay readable on screen (the month table's day
    /// lines), in points; 0 when the pages have no such text. "Fit page" zooms no smaller.
    double readableTextPoints = 0.0;
    std::vector<ReportPage> pages;
    /// The pages in words, for screen readers: lines that head every page, then each table
    /// row's line (row r at r - 1). Both empty: the pages' own texts are read instead.
    std::vector<QString> readingHeadings;
    std::vector<QString> readingRows;
};

/// Draws `page` with `painter`, whose coordinates must be twips from the paper's top
/// left corner (the caller scales for its device). Text is clipped to its box, as the
/// report's boxes say.
void DrawReportPage(QPainter& painter, const ReportPage& page);

/// All text items of a page joined with newlines, in drawing order (for checks and search).
QString PageText(const ReportPage& page);

}  // namespace quintrel
