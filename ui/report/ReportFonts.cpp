#include "ui/report/ReportFonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quintrel {

namespace {

QStringList StandInsFor(const QString& layoutFamily) {
    if (layoutFamily.compare(QLatin1String("Verdana"), Qt::CaseInsensitive) == 0) {
        return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                QStringLiteral("Bitstream Vera Sans")};
    }
    if (layoutFamily.compare(QLatin1String("Georgia"), Qt::CaseInsensitive) == 0) {
        return {QStringLiteral("Georgia"), QStringLiteral("Gelasio"), QStringLiteral("Caladea"),
                QStringLiteral("DejaVu Serif")};
    }
    if (layoutFamily.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    }
    return {};
}

}  // namespace

QString InstalledFamily(const QString& layoutFamily) {
    // Looked up once per name: the font database does not change while we run.
    static QHash<QString, QString> cache;
    const auto found = cache.constFind(layoutFamily);
    if (found != cache.constEnd())
        return *found;

    QString chosen = layoutFamily;
    const QStringList installed = QFontDatabase::families();
    for (const QString& candidate : StandInsFor(layoutFamily)) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            chosen = candidate;
            break;
        }
    }
    cache.insert(layoutFamily, chosen);
    return chosen;
}

void InstallFontSubstitutions() {
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char* name : {"Verdana", "Georgia", "MS Sans Serif"}) {
        const QString family = QString::fromLatin1(name);
        const QString standIn = InstalledFamily(family);
        if (standIn.compare(family, Qt::CaseInsensitive) != 0) {
            QFont::insertSubstitution(family, standIn);
        }
    }
}

QFont ReportQFont(const ReportFont& font) {
    QFont q(InstalledFamily(QString::fromStdString(font.family)));
    q.setPixelSize(static_cast<int>(std::lround(font.pointSize * 20.0)));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::PreferOutline);
    return q;
}

}  // namespace quintrel
