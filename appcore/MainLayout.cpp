#include "appcore/MainLayout.h"

#include <algorithm>

namespace quintrel {

namespace {
constexpr std::int32_t kButtonWidth = 645;
constexpr std::int32_t kReportTop = 405;
}  // namespace

namespace {
// A grown client length in whole pixels, so that a window can have it exactly.
std::int32_t WholePixels(std::int32_t twips, double textScale) {
    return kTwipsPerPixel * TwipsToPixels(ScaledTwips(twips, textScale));
}
}  // namespace

std::int32_t MinWindowWidth(double textScale) {
    return WholePixels(kMinWindowWidth - kFrameWidth, textScale) + kFrameWidth;
}

std::int32_t MinWindowHeight(double textScale) {
    return WholePixels(kMinWindowHeight - kFrameHeight, textScale) + kFrameHeight;
}

MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight, double textScale) {
    const auto grown = [textScale](std::int32_t twips) { return ScaledTwips(twips, textScale); };
    MainLayout layout{};
    layout.windowWidth = std::max(outerWidth, MinWindowWidth(textScale));
    layout.windowHeight = std::max(outerHeight, MinWindowHeight(textScale));
    const std::int32_t clientWidth = layout.windowWidth - kFrameWidth;
    layout.exitLeft = clientWidth - grown(kButtonWidth) - grown(140 - kFrameWidth);
    layout.aboutLeft = layout.exitLeft - grown(kButtonWidth) - grown(40);
    layout.tidesLeft = layout.aboutLeft - grown(kButtonWidth) - grown(120);
    layout.calcLeft = layout.tidesLeft - grown(825) - grown(30);
    layout.placesWidth = layout.calcLeft - grown(30) - grown(kPlacesLeft);
    layout.reportWidth = clientWidth;
    layout.reportHeight = layout.windowHeight - kFrameHeight - grown(kReportTop);
    return layout;
}

AppState FirstRunState(std::int16_t thisMonth, std::int16_t thisYear, std::int32_t availableWidth,
                       std::int32_t availableHeight, std::int32_t toolsWidth, double textScale) {
    // The design's size (9300 x 4305 twips) shows only two report rows. This one is 900
    // pixels wide (a page's width beside the desk) or as wide as the report's tools, and
    // takes the whole height up to 1200 pixels (a page at full size): on a 768-pixel laptop
    // every line counts, on a tall screen the page needs no more.
    constexpr std::int32_t kFirstRunWidth = 13500;
    constexpr std::int32_t kFirstRunMaxHeight = 18000;
    AppState state;
    state.CurrentMonth = thisMonth;
    state.CurrentYear = thisYear;
    const std::int32_t wanted = std::max(kFirstRunWidth, toolsWidth + kFrameWidth);
    state.WindowWidth = std::max(std::min(wanted, availableWidth), MinWindowWidth(textScale));
    state.WindowHeight =
        std::max(std::min(availableHeight, kFirstRunMaxHeight), MinWindowHeight(textScale));
    return state;
}

bool RecordWindowSize(AppState& state, std::int32_t outerWidth, std::int32_t outerHeight,
                      bool loading) {
    if (loading || (outerWidth == state.WindowWidth && outerHeight == state.WindowHeight)) {
        return false;
    }
    state.WindowHeight = outerHeight;
    state.WindowWidth = outerWidth;
    return true;
}

}  // namespace quintrel
