#include "ui/report/ReportPictures.h"

#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <memory>

#include "ui/report/ReportFonts.h"

// Q_INIT_RESOURCE must be called from the global namespace.
static void InitQuintrelReportResources() {
    Q_INIT_RESOURCE(ReportPictures);
}

namespace quintrel {

namespace {

// The resolution of the page art in a PDF: that of a good print.
constexpr double kPictureDotsPerInch = 300;

}  // namespace

void InitReportResources() {
    static bool done = false;
    if (done)
        return;
    done = true;
    InitQuintrelReportResources();
}

QString PictureResource(const QString& name) {
    static const QHash<QString, QString> resources = {
        {QStringLiteral("banner"), QStringLiteral(":/quintrel/report/banner.svg")},
        {QStringLiteral("moon"), QStringLiteral(":/quintrel/report/moon.svg")},
        {QStringLiteral("leaping-fish"), QStringLiteral(":/quintrel/report/leaping-fish.svg")},
        {QStringLiteral("closing"), QStringLiteral(":/quintrel/report/closing.svg")},
    };
    return resources.value(name);
}

void DrawPicture(QPainter& painter, const QString& name, const QRectF& box) {
    InitReportResources();
    // The closing picture holds text in Georgia; the substitutions let the SVG renderer
    // find the same stand-in the labels use.
    InstallFontSubstitutions();
    // Parsed once per picture; everything runs on the one GUI thread.
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto found = renderers.find(name);
    if (found == renderers.end()) {
        const QString resource = PictureResource(name);
        auto renderer = std::make_shared<QSvgRenderer>();
        if (!resource.isEmpty())
            renderer->load(resource);
        found = renderers.insert(name, renderer);
    }
    if (!(*found)->isValid())
        return;
    // A PDF repeats a picture's curves on every page that shows it: the closing picture,
    // its caption drawn as glyph outlines, was some 110 KB of each month's 130 KB. An image
    // drawn from one QImage is stored once per file and only referred to after that, so in
    // a PDF that picture is an image made once per size, fine enough to print. The other
    // pictures cost a few KB a page and stay sharp curves.
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Pdf ||
        name != QLatin1String("closing")) {
        (*found)->render(&painter, box);
        return;
    }
    const QRectF onDevice = painter.worldTransform().mapRect(box);
    const double dotsPerDeviceUnit = kPictureDotsPerInch / painter.device()->logicalDpiX();
    const QSize dots(static_cast<int>(std::ceil(onDevice.width() * dotsPerDeviceUnit)),
                     static_cast<int>(std::ceil(onDevice.height() * dotsPerDeviceUnit)));
    if (dots.isEmpty())
        return;
    static QHash<QString, QImage> images;
    const QString key = QStringLiteral("%1 %2x%3").arg(name).arg(dots.width()).arg(dots.height());
    auto image = images.find(key);
    if (image == images.end()) {
        QImage drawn(dots, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter imagePainter(&drawn);
        imagePainter.setRenderHint(QPainter::Antialiasing, true);
        imagePainter.setRenderHint(QPainter::TextAntialiasing, true);
        (*found)->render(&imagePainter, QRectF(QPointF(0, 0), QSizeF(dots)));
        imagePainter.end();
        image = images.insert(key, drawn);
    }
    painter.save();
    // Lossless: the art is line work, which JPEG would blur at its edges.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(box, *image);
    painter.restore();
}

QIcon ProgramIcon() {
    InitReportResources();
    return QIcon(QString::fromLatin1(kProgramIconResource));
}

}  // namespace quintrel
