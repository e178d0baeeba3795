#include "appcore/MainLayout.h"

#include <algorithm>

namespace quintrel {

namespace {
constexpr std::int32_t kButtonWidth = 645;
}

MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight) {
    MainLayout layout{};
    layout.windowWidth = std::max(outerWidth, kMinWindowWidth);
    layout.windowHeight = std::max(outerHeight, kMinWindowHeight);
    layout.exitLeft = layout.windowWidth - kButtonWidth - 140;
    layout.aboutLeft = layout.exitLeft - kButtonWidth - 40;
    layout.reportWidth = layout.windowWidth - 100;
    layout.reportHeight = layout.windowHeight - 825;
    return layout;
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
