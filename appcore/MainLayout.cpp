#include "appcore/MainLayout.h"

#include <algorithm>

namespace quintrel {

namespace {
constexpr std::int32_t kButtonWidth = 645;
constexpr std::int32_t kReportTop = 405;
}  // namespace

MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight) {
    MainLayout layout{};
    layout.windowWidth = std::max(outerWidth, kMinWindowWidth);
    layout.windowHeight = std::max(outerHeight, kMinWindowHeight);
    layout.exitLeft = layout.windowWidth - kButtonWidth - 140;
    layout.aboutLeft = layout.exitLeft - kButtonWidth - 40;
    layout.tidesLeft = layout.aboutLeft - kButtonWidth - 120;
    layout.calcLeft = layout.tidesLeft - 825 - 30;
    layout.placesWidth = layout.calcLeft - 30 - kPlacesLeft;
    layout.reportWidth = layout.windowWidth - kFrameWidth;
    layout.reportHeight = layout.windowHeight - kFrameHeight - kReportTop;
    return layout;
}

AppState FirstRunState(std::int16_t thisMonth, std::int16_t thisYear, std::int32_t availableWidth,
                       std::int32_t availableHeight) {
    // The design's size (9300 x 4305 twips) shows only two report rows; this one holds the
    // page width at the viewer's 75% and fifteen rows, with room for the toolbar.
    constexpr std::int32_t kFirstRunWidth = 13500;
    constexpr std::int32_t kFirstRunHeight = 11700;
    AppState state;
    state.CurrentMonth = thisMonth;
    state.CurrentYear = thisYear;
    state.WindowWidth = std::max(std::min(kFirstRunWidth, availableWidth), kMinWindowWidth);
    state.WindowHeight = std::max(std::min(kFirstRunHeight, availableHeight), kMinWindowHeight);
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
