#pragma once

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

}  // namespace quintrel
