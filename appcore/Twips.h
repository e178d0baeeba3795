#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quintrel {

/// Twips (1/1440 inch) per logical pixel: 15 at 96 pixels per inch. The windows' designs
/// are in twips; Qt scales logical pixels on high-density screens.
inline constexpr int kTwipsPerPixel = 15;

/// Logical pixels of a length in twips, to the nearest pixel, halves to even: the one
/// rounding every window uses.
inline int TwipsToPixels(std::int32_t twips) {
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / kTwipsPerPixel));
}

/// The height in pixels of the desktop text the twips designs were drawn for: 9 points at
/// 96 dots per inch.
inline constexpr double kDesignTextPixels = 12.0;

/// How much larger than the designs' text the desktop's text is (`desktopTextPixels` is
/// its height in pixels), never below 1: at the usual font nothing grows, at a 14-point
/// font (or 9 points at 144 dpi) the designs' lengths and fonts grow by 1.56 (1.5).
inline double TextScale(double desktopTextPixels) {
    return std::max(1.0, desktopTextPixels / kDesignTextPixels);
}

/// A design length in twips grown by a text scale, to the nearest twip (halves to even).
inline std::int32_t ScaledTwips(std::int32_t twips, double scale) {
    return static_cast<std::int32_t>(std::nearbyint(twips * scale));
}

}  // namespace quintrel
