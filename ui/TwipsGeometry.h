#pragma once

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "appcore/Twips.h"

namespace quintrel {

/// A widget's geometry given in twips, as logical pixels.
inline QRect TwipsRect(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

/// A design geometry in twips grown by a text scale, as logical pixels.
inline QRect TwipsRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                       double scale) {
    return TwipsRect(ScaledTwips(left, scale), ScaledTwips(top, scale), ScaledTwips(width, scale),
                     ScaledTwips(height, scale));
}

/// How much larger than the layouts were drawn for the desktop's text is: 1 for a 9-point
/// font at 96 dots per inch or smaller, 1.5 for 14 points or for 9 points at 144 dpi.
inline double DesktopTextScale() {
    const QFont font = QApplication::font();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    const double pixels = font.pointSizeF() > 0 ? font.pointSizeF() * dpi / 72.0
                                                : static_cast<double>(font.pixelSize());
    return TextScale(pixels);
}

/// A font of a twips design (`points` at 96 dots per inch) grown by a text scale: its
/// height in pixels grows as the design's lengths do, whatever the screen's dots per inch.
inline QFont ScaledDesignFont(const QString& family, double points, double scale) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    QFont font(family);
    font.setPointSizeF(points * std::max(1.0, scale) * 96.0 / dpi);
    return font;
}

/// Grows a window laid out in twips by `scale`: its controls' places and sizes (those of a
/// control inside a frame are relative to the frame, so they scale alike), and the
/// window's size. Nothing changes at a scale of 1.
inline void ScaleTwipsLayout(QWidget* window, double scale) {
    if (scale <= 1.0) {
        return;
    }
    const auto scaled = [scale](int value) { return static_cast<int>(std::lround(value * scale)); };
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // Only what the window placed itself: its own controls and those of its plain
        // frames, not the parts a line edit or a list box places inside itself.
        const QWidget* parent = control->parentWidget();
        const bool placedByWindow =
            parent == window || qstrcmp(parent->metaObject()->className(), "QFrame") == 0;
        if (control->isWindow() || !placedByWindow) {
            continue;
        }
        const QRect place = control->geometry();
        control->setGeometry(scaled(place.x()), scaled(place.y()), scaled(place.width()),
                             scaled(place.height()));
    }
    if (window->minimumSize() == window->maximumSize()) {
        window->setFixedSize(scaled(window->width()), scaled(window->height()));
    } else {
        window->resize(scaled(window->width()), scaled(window->height()));
    }
}

}  // namespace quintrel
