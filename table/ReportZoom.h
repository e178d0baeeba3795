#pragma once

namespace quintrel {

/// The smallest text height, in screen pixels, that still reads well in a report page.
inline constexpr double kReadableTextPixels = 9.0;

/// The smallest whole zoom in per cent at which text of `textPoints` is at least
/// kReadableTextPixels high on a screen of `dotsPerInch`; 0 (no floor) when `textPoints`
/// or `dotsPerInch` is not above 0. 8.5-point text at 96 dpi needs 80%.
int ReadableZoom(double textPoints, double dotsPerInch);

/// What "Fit page" shows.
struct PageFit {
    int percent = 100;      ///< the zoom in per cent
    bool tooSmall = false;  ///< a whole page does not fit at `readableZoom`: held there
};

/// "Fit page": the largest whole zoom at which a page of `pageWidthTwips` x
/// `pageHeightTwips` fits into `roomWidth` x `roomHeight` screen pixels, but never below
/// `readableZoom` (0: no floor). When the page fits only below it, the zoom is held at the
/// readable one and `tooSmall` says so. A page without a size keeps 100%.
PageFit FitPage(double roomWidth, double roomHeight, int pageWidthTwips, int pageHeightTwips,
                double dotsPerInch, int readableZoom);

/// "Fit width": the largest whole zoom at which the page's width fits into `roomWidth`.
int FitWidth(double roomWidth, int pageWidthTwips, double dotsPerInch);

}  // namespace quintrel
