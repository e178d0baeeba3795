#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace quintrel {

/// A picture of one line of text, left-aligned and vertically centred in `size` logical
/// pixels, drawn sharp for `devicePixelRatio`. The text is shrunk to fit the height; it is
/// an image, not a label, so the address on it cannot be selected or reflowed.
QPixmap OneLinePicture(const QString& text, QSize size, qreal devicePixelRatio,
                       const QColor& ink = QColor(0, 0, 128));

}  // namespace quintrel
