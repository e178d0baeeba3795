#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quintrel {

/// The font of the About and acknowledgement windows: the main window's standard font
/// (Liberation Sans 8.25 pt), narrowed to the width of the font the layouts were drawn with.
/// Set explicitly because a dialog, being a window, does not inherit its parent's font.
QFont InfoWindowFont();

/// A picture of one line of text, left-aligned and vertically centred in `size` logical
/// pixels, drawn sharp for `devicePixelRatio`. The text is shrunk to fit the height; it is
/// an image, not a label, so the address on it cannot be selected or reflowed.
QPixmap OneLinePicture(const QString& text, QSize size, qreal devicePixelRatio,
                       const QColor& ink = QColor(0, 0, 128));

}  // namespace quintrel
