#pragma once

#include <QRect>
#include <cstdint>

#include "appcore/Twips.h"

namespace quintrel {

/// A widget's geometry given in twips, as logical pixels.
inline QRect TwipsRect(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace quintrel
