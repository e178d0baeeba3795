#include "ui/InfoWindowParts.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace quintrel {

QFont InfoWindowFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    // Liberation Sans runs about 8% wider than the bitmap font the layouts were drawn
    // for; narrowed to match, every fixed text fits its label at the given size.
    font.setStretch(92);
    return font;
}

QPixmap OneLinePicture(const QString& text, QSize size, qreal devicePixelRatio, const QColor& ink) {
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Largest pixel size whose line still fits the picture's height and width.
    int pixelSize = size.height();
    for (; pixelSize > 6; --pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        if (metrics.height() <= size.height() && metrics.horizontalAdvance(text) <= size.width()) {
            break;
        }
    }
    font.setPixelSize(pixelSize);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
}

}  // namespace quintrel
