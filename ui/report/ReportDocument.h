#pragma once

#include <QColor>
#include <QLine>
#include <QPageLayout>
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
    enum class Kind { Text, Line, Picture, Box, Ellipse };
    Kind kind = Kind::Text;
    QRect box;        ///< text, picture, box and ellipse box
    QLine line;       ///< line end points
    QString text;     ///< text to draw
    QString picture;  ///< picture name (see ReportPictures.h)
    ReportFont font;  ///< the layout's font; mapped to an installed face when drawn
    ReportAlignment alignment = ReportAlignment::Left;
    bool wordWrap = false;
    QColor colour = Qt::black;  ///< text, line and outline colour
    QColor fill;                ///< fill of boxes and ellipses
};

/// A laid-out page: what the report engine recorded for it, in drawing order.
struct ReportPage {
    std::vector<PageItem> items;
};

/// The pages of one report run, recorded once and drawn the same way on screen, on paper
/// and into PDF.
struct ReportDocument {
    QString title;           ///< the report's title: document name for prints and PDFs
    QPageLayout pageLayout;  ///< paper size and orientation the pages were laid out for
    int pageWidthTwips = 0;
    int pageHeightTwips = 0;
    std::vector<ReportPage> pages;
};

/// Draws `page` with `painter`, whose coordinates must be twips from the paper's top
/// left corner (the caller scales for its device). Text is clipped to its box, as the
/// report's boxes say.
void DrawReportPage(QPainter& painter, const ReportPage& page);

/// All text items of a page joined with newlines, in drawing order (for checks and search).
QString PageText(const ReportPage& page);

}  // namespace quintrel
