#include "ui/report/ReportImage.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "astro/CoreError.h"
#include "ui/report/ReportFile.h"

namespace quintrel {

namespace {

constexpr double kTwipsPerInch = 1440.0;

void RequirePage(const ReportDocument& document, const QString& kind, const QString& path) {
    if (document.pages.empty()) {
        throw CoreError(QStringLiteral("Unable to write the %1 file %2: there is no page to write")
                            .arg(kind, QDir::toNativeSeparators(path))
                            .toStdString());
    }
}

}  // namespace

QImage RenderFirstPage(const ReportDocument& document, double dotsPerInch) {
    const double scale = dotsPerInch / kTwipsPerInch;
    QImage image(static_cast<int>(std::lround(document.pageWidthTwips * scale)),
                 static_cast<int>(std::lround(document.pageHeightTwips * scale)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerInch / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    if (!document.pages.empty()) {
        QPainter painter(&image);
        painter.scale(scale, scale);
        DrawReportPage(painter, document.pages.front());
    }
    return image;
}

void WritePng(const ReportDocument& document, const QString& path, double dotsPerInch) {
    RequirePage(document, QStringLiteral("PNG"), path);
    CheckDocumentPath(path, QStringLiteral("PNG"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RenderFirstPage(document, dotsPerInch).save(&buffer, "PNG");
    buffer.close();
    WriteDocumentBytes(path, bytes);
}

void WriteSvg(const ReportDocument& document, const QString& path) {
    RequirePage(document, QStringLiteral("SVG"), path);
    CheckDocumentPath(path, QStringLiteral("SVG"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        // One unit a twip, as the page is recorded; the size then comes out in real inches.
        generator.setResolution(static_cast<int>(kTwipsPerInch));
        generator.setSize(QSize(document.pageWidthTwips, document.pageHeightTwips));
        generator.setViewBox(QRect(0, 0, document.pageWidthTwips, document.pageHeightTwips));
        generator.setTitle(document.title);
        QPainter painter(&generator);
        painter.fillRect(QRect(0, 0, document.pageWidthTwips, document.pageHeightTwips), Qt::white);
        DrawReportPage(painter, document.pages.front());
    }
    buffer.close();
    WriteDocumentBytes(path, bytes);
}

}  // namespace quintrel
