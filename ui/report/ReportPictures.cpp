#include "ui/report/ReportPictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

#include "ui/report/ReportFonts.h"

// Q_INIT_RESOURCE must be called from the global namespace.
static void InitQuintrelReportResources() {
    Q_INIT_RESOURCE(ReportPictures);
}

namespace quintrel {

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
    if ((*found)->isValid())
        (*found)->render(&painter, box);
}

QIcon ProgramIcon() {
    InitReportResources();
    return QIcon(QString::fromLatin1(kProgramIconResource));
}

}  // namespace quintrel
