#include "ui/report/ReportDocument.h"

#include <QHash>
#include <QPainter>
#include <QStringList>

#include "ui/report/ReportFonts.h"
#include "ui/report/ReportPictures.h"

namespace quintrel {

namespace {

int TextFlags(const PageItem& item) {
    int flags = Qt::AlignTop;
    switch (item.alignment) {
        case ReportAlignment::Left:
            flags |= Qt::AlignLeft;
            break;
        case ReportAlignment::Centre:
            flags |= Qt::AlignHCenter;
            break;
        case ReportAlignment::Right:
            flags |= Qt::AlignRight;
            break;
    }
    flags |= item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    return flags;
}

QString FontKey(const ReportFont& font) {
    return QString::fromStdString(font.family) + QLatin1Char('/') +
           QString::number(font.pointSize) + QLatin1Char('/') + QString::number(font.weight);
}

void DrawShape(QPainter& painter, const PageItem& item) {
    painter.save();
    if (!item.clip.isEmpty())
        painter.setClipRect(item.clip);
    if (item.colour.isValid()) {
        QPen pen(item.colour);
        pen.setWidth(item.penWidth);
        pen.setStyle(item.penStyle);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
    painter.drawPath(item.path);
    painter.restore();
}

}  // namespace

void DrawReportPage(QPainter& painter, const ReportPage& page) {
    // A page uses a handful of fonts hundreds of times; build each QFont once.
    QHash<QString, QFont> fonts;
    QPen rule(Qt::black);
    rule.setWidth(15);  // three quarters of a point, in twips
    rule.setCapStyle(Qt::FlatCap);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const PageItem& item : page.items) {
        switch (item.kind) {
            case PageItem::Kind::Text: {
                const QString key = FontKey(item.font);
                auto font = fonts.find(key);
                if (font == fonts.end())
                    font = fonts.insert(key, ReportQFont(item.font));
                painter.setFont(*font);
                painter.setPen(item.colour);
                // drawText clips to the box unless told otherwise: a box is a promise.
                painter.drawText(QRectF(item.box), TextFlags(item), item.text);
                break;
            }
            case PageItem::Kind::Line:
                painter.setPen(rule);
                painter.drawLine(item.line);
                break;
            case PageItem::Kind::Picture:
                DrawPicture(painter, item.picture, QRectF(item.box));
                break;
            case PageItem::Kind::Image:
                if (!item.image.isNull()) {
                    const QSize fitted =
                        item.image.size().scaled(item.box.size(), Qt::KeepAspectRatio);
                    const QRect target(
                        item.box.topLeft() + QPoint((item.box.width() - fitted.width()) / 2,
                                                    (item.box.height() - fitted.height()) / 2),
                        fitted);
                    painter.drawImage(target, item.image);
                }
                break;
            case PageItem::Kind::Box:
            case PageItem::Kind::Ellipse: {
                QPen outline(item.colour);
                outline.setWidth(10);  // half a point, in twips
                painter.setPen(item.colour.isValid() ? outline : QPen(Qt::NoPen));
                painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
                if (item.kind == PageItem::Kind::Box) {
                    painter.drawRect(item.box);
                } else {
                    painter.drawEllipse(item.box);
                }
                painter.setBrush(Qt::NoBrush);
                break;
            }
            case PageItem::Kind::Shape:
                DrawShape(painter, item);
                break;
        }
    }
    painter.restore();
}

ReportFont DocumentFont(double points, int weight) {
    ReportFont font;
    font.pointSize = points;
    font.weight = weight;
    return font;
}

PageItem TextItem(const QRect& box, const QString& text, const ReportFont& font,
                  ReportAlignment alignment, const QColor& colour, bool wordWrap) {
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.box = box;
    item.text = text;
    item.font = font;
    item.alignment = alignment;
    item.colour = colour;
    item.wordWrap = wordWrap;
    return item;
}

int RowAtHeight(const ReportPage& page, int yTwips) {
    for (const PageRow& row : page.rows) {
        if (yTwips >= row.top && yTwips < row.bottom)
            return row.row;
    }
    return 0;
}

QString PageText(const ReportPage& page) {
    QStringList lines;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Text)
            lines << item.text;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace quintrel
