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

/// The smallest outer size at a text scale (appcore/Twips.h): the design's client area
/// grows with the text (to whole pixels), the frame allowance does not. 9300 x 4305 at a
/// scale of 1.
std::int32_t MinWindowWidth(double textScale);
std::int32_t MinWindowHeight(double textScale);

/// Where the controls that follow the window's size go, for an outer size in twips. Every
/// length but the outer size is the design's grown by the text scale.
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

/// The resize rule: raises the size to the minimum at least, keeps Exit 140 twips from
/// the outer right edge (20 inside the client area), About 40 twips left of Exit and Tides
/// and Calculate beside them, widens the place list into the space gained, and lets the
/// report viewer fill the client area below the top row exactly (no strip of window left
/// along its edges). A text scale above 1 grows the buttons, the gaps and the top row, so
/// that captions in a larger desktop font fit; the outer size keeps its meaning.
MainLayout LayoutForSize(std::int32_t outerWidth, std::int32_t outerHeight, double textScale = 1.0);

/// The state of a first run, with no saved settings: this month and year, and a window as
/// tall as the available desktop, up to 18000 (a whole report page at a readable zoom needs every
/// line of it on a laptop) and wide enough for a page and for `toolsWidth` (the report's toolbar),
/// within the available desktop. Lengths in twips, outer sizes (the frame allowance is included);
/// never below the minimum at `textScale`.
AppState FirstRunState(std::int16_t thisMonth, std::int16_t thisYear, std::int32_t availableWidth,
                       std::int32_t availableHeight, std::int32_t toolsWidth = 0,
                       double textScale = 1.0);

/// Records an outer size in the state unless the window is still loading. Returns true
/// when WindowWidth or WindowHeight changed.
bool RecordWindowSize(AppState& state, std::int32_t outerWidth, std::int32_t outerHeight,
                      bool loading);

}  // namespace quintrel
