#include "ui/report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

[[noreturn]] void Fail(const QString& kind, const QString& path, const QString& reason) {
    throw CoreError(QStringLiteral("Unable to write the %1 file %2: %3")
                        .arg(kind, QDir::toNativeSeparators(path), reason)
                        .toStdString());
}

}  // namespace

void WriteReportFile(const QString& path, const QString& kind,
                     const std::function<bool(QIODevice&)>& write) {
    // Writers opened on a path (QPdfWriter) report nothing when the file cannot be
    // created, so the file is opened here and the writer only ever sees a device that
    // works.
    const QFileInfo info(path);
    if (path.trimmed().isEmpty())
        Fail(kind, path, QStringLiteral("no file name given"));
    if (!info.absoluteDir().exists())
        Fail(kind, path, QStringLiteral("the folder does not exist"));
    if (info.isDir())
        Fail(kind, path, QStringLiteral("it is a folder"));
    QSaveFile saveFile(path);
    // A folder that refuses the temporary file may still let an existing file be rewritten.
    saveFile.setDirectWriteFallback(true);
    // A device or pipe is written through: the temporary file would be renamed over it,
    // putting a plain file in its place.
    const bool special = info.exists() && !info.isFile();
    QFile specialFile(path);
    QFileDevice& file = special ? static_cast<QFileDevice&>(specialFile) : saveFile;
    if (!file.open(QIODevice::WriteOnly))
        Fail(kind, path, file.errorString());
    if (!write(file))
        Fail(kind, path, QStringLiteral("the %1 writer could not start").arg(kind));
    // Rewriting in place, commit() does not report a failed write (a full disk), so the
    // last buffered bytes are pushed out and any error is caught here first.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        Fail(kind, path, file.errorString());
    if (!special && !saveFile.commit())
        Fail(kind, path, saveFile.errorString());
}

}  // namespace quintrel
