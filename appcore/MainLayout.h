#pragma once

#include <cstdint>

#include "appcore/AppState.h"
#include "appcore/Twips.h"

namespace quintrel {

/// The smallest outer size of the main window, in twips.
inline constexpr std::int32_t kMinWindowWidth = 9300;
inline constexpr std::int32_t kMinWindowHeight = 4305;

/// The frame the design allows for around the client area (borders and title bar), in
/// twips. Sizes are saved as outer sizes; real frames differ from desktop to desktop and
/// are not known before the window is shown, so one fixed allowance converts between the
/// client area and the outer size. It keeps a saved size from drifting run after run.
inline constexpr std::int32_t kFrameWidth = 120;
inline constexpr std::int32_t kFrameHeight = 405;

/// Where the controls that follow the window's size go, for an outer size in twips.
struct MainLayout {
    std::int32_t windowWidth;   ///< outer width after the minimum is applied
    std::int32_t windowHeight;  ///< outer height after the minimum is applied
    std::int32_t exitLeft;      ///< left of the Exit button, client coordinates
    std::int32_t aboutLeft;     ///< left of the About button
    std::int32_t reportWidth;   ///< size of the report viewer
    std::int32_t reportHeight;
};

/// The resize rule: raises the size to 9300 x 4305 at least, keeps Exit 140 twips from
/// the outer right edge and About 40 twips left of Exit, and lets the report viewer fill
/// the rest. Button widths are the design widths (645 twips each).
MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight);

/// Records an outer size in the state unless the window is still loading. Returns true
/// when WindowWidth or WindowHeight changed.
bool RecordWindowSize(AppState& state, std::int32_t outerWidth, std::int32_t outerHeight,
                      bool loading);

}  // namespace quintrel
