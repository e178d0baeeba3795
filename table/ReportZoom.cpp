#include "table/ReportZoom.h"

#include <algorithm>
#include <cmath>

namespace quintrel {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;

// Screen pixels of `twips` at 100%.
double FullSizePixels(int twips, double dotsPerInch) {
    return twips * dotsPerInch / kTwipsPerInch;
}

// The largest whole per cent at which `pixelsAtFullSize` fits into `room`. A hair of
// tolerance keeps an exact fit (room 397 for 794 at 50%) from losing a per cent to the
// division's rounding.
int WholePercentInto(double room, double pixelsAtFullSize) {
    return static_cast<int>(std::floor(room / pixelsAtFullSize * 100.0 + 1e-9));
}

}  // namespace

int ReadableZoom(double textPoints, double dotsPerInch) {
    if (textPoints <= 0.0 || dotsPerInch <= 0.0) {
        return 0;
    }
    const double fullSize = textPoints * dotsPerInch / kPointsPerInch;
    return static_cast<int>(std::ceil(kReadableTextPixels / fullSize * 100.0 - 1e-9));
}

PageFit FitPage(double roomWidth, double roomHeight, int pageWidthTwips, int pageHeightTwips,
                double dotsPerInch, int readableZoom) {
    if (pageWidthTwips <= 0 || pageHeightTwips <= 0 || dotsPerInch <= 0.0) {
        return {};
    }
    const int whole =
        std::min(WholePercentInto(roomWidth, FullSizePixels(pageWidthTwips, dotsPerInch)),
                 WholePercentInto(roomHeight, FullSizePixels(pageHeightTwips, dotsPerInch)));
    if (whole < readableZoom) {
        return {readableZoom, true};
    }
    return {whole, false};
}

int FitWidth(double roomWidth, int pageWidthTwips, double dotsPerInch) {
    if (pageWidthTwips <= 0 || dotsPerInch <= 0.0) {
        return 100;
    }
    return WholePercentInto(roomWidth, FullSizePixels(pageWidthTwips, dotsPerInch));
}

}  // namespace quintrel
