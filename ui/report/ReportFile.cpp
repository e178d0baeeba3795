#include "ui/report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string_view>

#include "astro/CoreError.h"
#include "locations/FileIo.h"

namespace quintrel {

void CheckDocumentPath(const QString& path, const QString& kind) {
    const auto fail = [&](const QString& reason) {
        throw CoreError(QStringLiteral("Unable to write the %1 file %2: %3")
                            .arg(kind, QDir::toNativeSeparators(path), reason)
                            .toStdString());
    };
    const QFileInfo info(path);
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("no file name given"));
    if (!info.absoluteDir().exists())
        fail(QStringLiteral("the folder does not exist"));
    if (info.isDir())
        fail(QStringLiteral("it is a folder"));
}

void WriteDocumentBytes(const QString& path, const QByteArray& bytes) {
    ReplaceFileContent(QFile::encodeName(path).toStdString(),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace quintrel
