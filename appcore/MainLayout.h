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

/// The fixed lefts of the top row between the year box and the place list, in twips.
inline constexpr std::int32_t kSpinButtonWidth = 330;
inline constexpr std::int32_t kMinusLeft = 3000;
inline constexpr std::int32_t kPlaceButtonLeft = kMinusLeft + 2 * kSpinButtonWidth + 60;
inline constexpr std::int32_t kPlacesLeft = kPlaceButtonLeft + 645 + 30;

/// Where the controls that follow the window's size go, for an outer size in twips.
struct MainLayout {
    std::int32_t windowWidth;   ///< outer width after the minimum is applied
    std::int32_t windowHeight;  ///< outer height after the minimum is applied
    std::int32_t exitLeft;      ///< left of the Exit button, client coordinates
    std::int32_t aboutLeft;     ///< left of the About button
    std::int32_t tidesLeft;     ///< left of the Tides button
    std::int32_t calcLeft;      ///< left of the Calculate button
    std::int32_t placesWidth;   ///< width of the place list, which takes the spare width
    std::int32_t reportWidth;   ///< size of the report viewer
    std::int32_t reportHeight;
};

/// The resize rule: raises the size to 9300 x 4305 at least, keeps Exit 140 twips from
/// the outer right edge, About 40 twips left of Exit and Tides and Calculate beside them,
/// widens the place list into the space gained, and lets the report viewer fill the client
/// area below the top row exactly (no strip of window left along its edges).
MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight);

/// The state of a first run, with no saved settings: this month and year, and a window
/// that shows a whole report page width and at least 15 of its rows, within the
/// available desktop (`available...` in twips; the frame allowance is included).
AppState FirstRunState(std::int16_t thisMonth, std::int16_t thisYear, std::int32_t availableWidth,
                       std::int32_t availableHeight);

/// Records an outer size in the state unless the window is still loading. Returns true
/// when WindowWidth or WindowHeight changed.
bool RecordWindowSize(AppState& state, std::int32_t outerWidth, std::int32_t outerHeight,
                      bool loading);

}  // namespace quintrel
